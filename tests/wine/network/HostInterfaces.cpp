#include "HostInterfaces.h"

#include <cwctype>

#include "tests/wine/support/TestSupport.h"

std::string HostInterfaceFact(const std::wstring& interfaceName, const wchar_t* file) {
    const std::vector<uint8_t> bytes = testsupport::FileBytes(L"Z:\\sys\\class\\net\\" + interfaceName + L"\\" + file);
    const std::string text(bytes.begin(), bytes.end());
    return text.substr(0, text.find('\n'));
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
