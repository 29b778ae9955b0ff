#include "framework/win/ModuleFolder.h"

std::wstring FolderOfModule(HINSTANCE instance) {
    wchar_t path[MAX_PATH + 1] = {};
    const DWORD n = GetModuleFileNameW(instance, path, MAX_PATH);
    const std::wstring full(path, n < MAX_PATH ? n : MAX_PATH);
    const std::size_t slash = full.rfind(L'\\');
    return slash == std::wstring::npos ? std::wstring() : full.substr(0, slash);
}
