#include "applier/win/SystemDllSearch.h"

bool LoadDllsFromSystemDirectoryOnly() {
    using SetDefaultDllDirectoriesCall = BOOL(WINAPI*)(DWORD);
    const HMODULE kernel32 = GetModuleHandleW(L"kernel32.dll");
    if (kernel32 == nullptr) return false;
    const auto restrict = reinterpret_cast<SetDefaultDllDirectoriesCall>(
        reinterpret_cast<void*>(GetProcAddress(kernel32, "SetDefaultDllDirectories")));
    return restrict != nullptr && restrict(LOAD_LIBRARY_SEARCH_SYSTEM32);
}
