#include "wizard/win/InstalledPrinters.h"

#include <windows.h>
#include <winspool.h>

namespace {

constexpr DWORD kFlags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
constexpr DWORD kLevel = 4;

}  // namespace

std::vector<std::wstring> InstalledPrinters() {
    std::vector<std::wstring> names;
    DWORD needed = 0, count = 0;
    // Success without a buffer means there is nothing to list.
    if (EnumPrintersW(kFlags, nullptr, kLevel, nullptr, 0, &needed, &count)) return names;
    std::vector<BYTE> buffer(static_cast<std::size_t>(needed) + 1, 0);
    if (!EnumPrintersW(kFlags, nullptr, kLevel, buffer.data(), needed, &needed, &count)) return names;
    const auto* printers = reinterpret_cast<const PRINTER_INFO_4W*>(buffer.data());
    for (DWORD i = 0; i < count; ++i) names.emplace_back(printers[i].pPrinterName ? printers[i].pPrinterName : L"");
    return names;
}
