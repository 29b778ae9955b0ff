#include "installer/win/DataFileRollback.h"

#include <windows.h>

#include "framework/win/UniqueHandle.h"
#include "profile/win/ProfileFileAccess.h"

namespace {

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::wstring KeptPath() {
    const std::wstring data = CommonDataFilePath();
    return data.empty() ? data : data + L".rollback";
}

// A kept copy of a read-only data file is read-only too.
void Discard(const std::wstring& kept) {
    SetFileAttributesW(kept.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(kept.c_str());
}

}  // namespace

bool KeepDataFileForRollback() {
    const std::wstring data = CommonDataFilePath();
    const std::wstring kept = KeptPath();
    if (data.empty()) return false;
    // A copy that an earlier installation left must never be put back for this one.
    Discard(kept);
    if (Exists(data)) return CopyFileW(data.c_str(), kept.c_str(), TRUE) != FALSE;
    const CFileHandle none(
        CreateFileW(kept.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    return none.Valid();
}

void PutBackKeptDataFile() {
    const std::wstring data = CommonDataFilePath();
    const std::wstring kept = KeptPath();
    WIN32_FILE_ATTRIBUTE_DATA facts;
    if (kept.empty() || !GetFileAttributesExW(kept.c_str(), GetFileExInfoStandard, &facts)) return;
    // An empty copy: there was no data file (an empty data file, which no
    // program can read, goes as well).
    if (facts.nFileSizeHigh == 0 && facts.nFileSizeLow == 0) {
        DeleteFileW(data.c_str());
        Discard(kept);
        return;
    }
    MoveFileExW(kept.c_str(), data.c_str(), MOVEFILE_REPLACE_EXISTING);
}

void DiscardKeptDataFile() {
    const std::wstring kept = KeptPath();
    if (!kept.empty()) Discard(kept);
}
