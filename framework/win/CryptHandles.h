#pragma once
// The handle owner for CryptoAPI's provider contexts and hashes.
#include <windows.h>
#include <wincrypt.h>

#include "framework/win/UniqueHandle.h"

struct CryptContextTraits {
    using Type = HCRYPTPROV;
    static Type Empty() { return 0; }
    static bool Close(Type context) { return CryptReleaseContext(context, 0) != FALSE; }
};

struct CryptHashTraits {
    using Type = HCRYPTHASH;
    static Type Empty() { return 0; }
    static bool Close(Type hash) { return CryptDestroyHash(hash) != FALSE; }
};

using CCryptContext = CUniqueHandle<CryptContextTraits>;
using CCryptHash = CUniqueHandle<CryptHashTraits>;
