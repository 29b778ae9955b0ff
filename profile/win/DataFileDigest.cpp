#include "profile/win/DataFileDigest.h"

#include <cstring>
#include <string>

#include "profile/win/GeneratHashMgr.h"
#include "profile/win/ProfileFileAccess.h"

bool ComputeDataFileDigest(uint8_t (&digest)[20]) {
    std::memset(digest, 0, sizeof(digest));
    const std::wstring path = CommonDataFilePath();
    if (path.empty()) return false;
    return CGeneratHashMgr().GetFileHash(path, digest, sizeof(digest), CALG_SHA1);
}
