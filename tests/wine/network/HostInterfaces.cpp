#include "HostInterfaces.h"

#include <cwctype>

std::string HostInterfaceFact(const std::wstring& interfaceName, const wchar_t* file) {
    const std::wstring path = L"Z:\\sys\\class\\net\\" + interfaceName + L"\\" + file;
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return std::string();
    char buffer[256] = {};
    DWORD read = 0;
    ReadFile(h, buffer, sizeof(buffer) - 1, &read, nullptr);
    CloseHandle(h);
    std::string text(buffer, read);
    return text.substr(0, text.find('\n'));
}

std::wstring UpperAscii(std::wstring s) {
    for (wchar_t& c : s)
        if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
    return s;
}

std::wstring LowerAscii(std::wstring s) {
    for (wchar_t& c : s)
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    return s;
}

std::vector<HostAdapter> HostAdapters() {
    std::vector<HostAdapter> out;
    for (const AdapterInfo& a : ListAdapters())
        out.push_back(HostAdapter{a, HostInterfaceFact(a.description, L"address"),
                                  HostInterfaceFact(a.description, L"operstate")});
    return out;
}
