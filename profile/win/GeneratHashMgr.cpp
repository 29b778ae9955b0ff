#include "profile/win/GeneratHashMgr.h"

#include <functional>
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

// The digest of what `feed` hands to the hash.
bool Digest(ALG_ID algorithm, BYTE* output, DWORD outputLength, const std::function<bool(HCRYPTHASH)>& feed) {
    // Declared in this order so that the hash goes before the context.
    CCryptContext context;
    if (!CryptAcquireContextW(context.Receive(), nullptr, nullptr, PROV_RSA_FULL,
                              CRYPT_VERIFYCONTEXT | CRYPT_MACHINE_KEYSET))
        return false;
    CCryptHash hash;
    if (!CryptCreateHash(context.Get(), algorithm, 0, 0, hash.Receive())) return false;
    if (!feed(hash.Get())) return false;
    DWORD length = outputLength;
    return CryptGetHashParam(hash.Get(), HP_HASHVAL, output, &length, 0) != FALSE;
}

bool FileDigest(const std::wstring& path, BYTE* output, DWORD outputLength, ALG_ID algorithm) {
    // The file is closed after the hash and its context.
    CFileHandle file(
        CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return false;
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.Get(), &size)) return false;
    return Digest(algorithm, output, outputLength, [&](HCRYPTHASH hash) {
        return HashContents(file.Get(), static_cast<ULONGLONG>(size.QuadPart), hash);
    });
}

// Feeds the bytes to the hash in blocks of 64 KiB.
bool HashBytes(const BYTE* data, std::size_t size, HCRYPTHASH hash) {
    for (std::size_t done = 0; done < size;) {
        const DWORD block = size - done < kBlockSize ? static_cast<DWORD>(size - done) : kBlockSize;
        if (!CryptHashData(hash, data + done, block, 0)) return false;
        done += block;
    }
    return true;
}

// Output checked and zeroed first; zeroed again when `digest` fails.
bool CheckedDigest(BYTE* output, DWORD outputLength, const std::function<bool()>& digest) {
    if (output == nullptr || outputLength == 0) return false;
    ZeroMemory(output, outputLength);
    if (outputLength >= kOutputLimit) return false;
    if (digest()) return true;
    ZeroMemory(output, outputLength);
    return false;
}

}  // namespace

bool CGeneratHashMgr::GetFileHash(const std::wstring& path, BYTE* output, DWORD outputLength, ALG_ID algorithm) {
    return CheckedDigest(output, outputLength, [&] {
        return !path.empty() && FileDigest(path, output, outputLength, algorithm);
    });
}

bool CGeneratHashMgr::GetDataHash(const BYTE* data, std::size_t size, BYTE* output, DWORD outputLength,
                                  ALG_ID algorithm) {
    return CheckedDigest(output, outputLength, [&] {
        return (data != nullptr || size == 0) &&
               Digest(algorithm, output, outputLength, [&](HCRYPTHASH hash) { return HashBytes(data, size, hash); });
    });
}
