#include "profile/win/GeneratHashMgr.h"

#include <memory>
#include <new>

#include "framework/win/CryptHandles.h"
#include "framework/win/UniqueHandle.h"

namespace {

constexpr DWORD kBlockSize = 65536;
constexpr DWORD kOutputLimit = 128;  // output lengths from here on are refused

// Feeds `size` bytes of the file to the hash in 64 KiB blocks. A failed
// read, or one that returns nothing before the end, is a failure.
bool HashContents(HANDLE file, ULONGLONG size, HCRYPTHASH hash) {
    std::unique_ptr<BYTE[]> block(new (std::nothrow) BYTE[kBlockSize]);
    if (!block) return false;
    ULONGLONG done = 0;
    while (done < size) {
        DWORD got = 0;
        if (!ReadFile(file, block.get(), kBlockSize, &got, nullptr) || got == 0) return false;
        if (!CryptHashData(hash, block.get(), got, 0)) return false;
        done += got;
    }
    return true;
}

bool Digest(const std::wstring& path, BYTE* output, DWORD outputLength, ALG_ID algorithm) {
    // Declared in this order so that the hash goes first, then the
    // context, and the file is closed last.
    CFileHandle file(
        CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return false;
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.Get(), &size)) return false;
    CCryptContext context;
    if (!CryptAcquireContextW(context.Receive(), nullptr, nullptr, PROV_RSA_FULL,
                              CRYPT_VERIFYCONTEXT | CRYPT_MACHINE_KEYSET))
        return false;
    CCryptHash hash;
    if (!CryptCreateHash(context.Get(), algorithm, 0, 0, hash.Receive())) return false;
    if (!HashContents(file.Get(), static_cast<ULONGLONG>(size.QuadPart), hash.Get())) return false;
    DWORD length = outputLength;
    return CryptGetHashParam(hash.Get(), HP_HASHVAL, output, &length, 0) != FALSE;
}

}  // namespace

bool CGeneratHashMgr::GetFileHash(const std::wstring& path, BYTE* output, DWORD outputLength, ALG_ID algorithm) {
    if (output == nullptr || outputLength == 0) return false;
    ZeroMemory(output, outputLength);
    if (path.empty() || outputLength >= kOutputLimit) return false;
    if (Digest(path, output, outputLength, algorithm)) return true;
    ZeroMemory(output, outputLength);
    return false;
}
