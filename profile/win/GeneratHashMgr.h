#pragma once
#include <windows.h>
#include <wincrypt.h>

#include <string>

#include "framework/Object.h"

// File digests with CryptoAPI.
class CGeneratHashMgr : public CObject {
public:
    ~CGeneratHashMgr() override = default;
    // Output zeroed first; true with the digest on success, all zero on failure.
    bool GetFileHash(const std::wstring& path, BYTE* output, DWORD outputLength, ALG_ID algorithm);
};
