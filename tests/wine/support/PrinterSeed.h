#pragma once
// Printers for Wine's print spooler. A printer is listed by EnumPrintersW
// once its key below the spooler's printers holds Name, Port ("FILE:"),
// "Printer Driver" and Attributes, and Set/GetDefaultPrinterW work with it
// once the user's Devices key names it ("winspool,FILE:").
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

class CRegistrySeed;

// Writes one registry value: root, key path, value name, type, data, size.
using RegistryValueWriter = std::function<bool(HKEY, const std::wstring&, const wchar_t*, DWORD, const void*, DWORD)>;

// Writes the values that make `printer` a printer of the prefix.
bool WritePrinterValues(const std::wstring& printer, const RegistryValueWriter& write);

// Seeds a printer (removed again with the seed).
bool SeedPrinter(CRegistrySeed& seed, const std::wstring& printer);
// Keeps the user's default printer as it is now, to be put back with the seed.
bool PreserveDefaultPrinter(CRegistrySeed& seed);
// The default printer's name, as the spooler reports it (empty if none).
std::wstring DefaultPrinterName();
// Printer names in the spooler's order (local printers and connections).
std::vector<std::wstring> SpoolerPrinterNames();
