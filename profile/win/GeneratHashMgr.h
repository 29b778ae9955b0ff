#pragma once
#include <windows.h>
#include <wincrypt.h>

#include <cstddef>
#include <string>

#include "framework/Object.h"

// Digests of files and of bytes in memory with CryptoAPI.
class CGeneratHashMgr : public CObject {
public:
    ~CGeneratHashMgr() override = default;
    // Output zeroed first; true with the digest on success, all zero on failure.
    bool GetFileHash(const std::wstring& path, BYTE* output, DWORD outputLength, ALG_ID algorithm);
    // The same for bytes in memory.
    bool GetDataHash(const BYTE* data, std::size_t size, BYTE* output, DWORD outputLength, ALG_ID algorithm);
};
