#include "tests/wine/support/PrinterSeed.h"

#include <winspool.h>

#include "tests/wine/support/RegistrySeed.h"

namespace {

const wchar_t kPrintersKey[] = L"System\\CurrentControlSet\\Control\\Print\\Printers\\";
const wchar_t kDevicesKey[] = L"Software\\Microsoft\\Windows NT\\CurrentVersion\\Devices";
const wchar_t kWindowsKey[] = L"Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";
const wchar_t kDriver[] = L"Wine PostScript Driver";

}  // namespace

bool WritePrinterValues(const std::wstring& printer, const RegistryValueWriter& write) {
    const std::wstring key = kPrintersKey + printer;
    auto text = [&](HKEY root, const std::wstring& path, const wchar_t* name, const std::wstring& value) {
        return write(root, path, name, REG_SZ, value.c_str(), static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    };
    const DWORD attributes = PRINTER_ATTRIBUTE_LOCAL;
    return text(HKEY_LOCAL_MACHINE, key, L"Name", printer) && text(HKEY_LOCAL_MACHINE, key, L"Port", L"FILE:") &&
           text(HKEY_LOCAL_MACHINE, key, L"Printer Driver", kDriver) &&
           write(HKEY_LOCAL_MACHINE, key, L"Attributes", REG_DWORD, &attributes, sizeof(attributes)) &&
           text(HKEY_CURRENT_USER, kDevicesKey, printer.c_str(), L"winspool,FILE:");
}

bool SeedPrinter(CRegistrySeed& seed, const std::wstring& printer) {
    return WritePrinterValues(printer, [&](HKEY root, const std::wstring& path, const wchar_t* name, DWORD type,
                                           const void* data, DWORD size) {
        return seed.SetBytes(root, path, name, type, data, size);
    });
}

bool PreserveDefaultPrinter(CRegistrySeed& seed) { return seed.Preserve(HKEY_CURRENT_USER, kWindowsKey, L"Device"); }

std::wstring DefaultPrinterName() {
    wchar_t name[1024] = {};
    DWORD size = 1024;
    return GetDefaultPrinterW(name, &size) ? std::wstring(name) : std::wstring();
}

std::vector<std::wstring> SpoolerPrinterNames() {
    constexpr DWORD kFlags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
    DWORD needed = 0, count = 0;
    EnumPrintersW(kFlags, nullptr, 1, nullptr, 0, &needed, &count);
    std::vector<BYTE> buffer(needed + 1);
    std::vector<std::wstring> names;
    if (!EnumPrintersW(kFlags, nullptr, 1, buffer.data(), needed, &needed, &count)) return names;
    const auto* printers = reinterpret_cast<const PRINTER_INFO_1W*>(buffer.data());
    for (DWORD i = 0; i < count; ++i) names.emplace_back(printers[i].pName);
    return names;
}
