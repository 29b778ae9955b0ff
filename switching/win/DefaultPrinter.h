#pragma once
#include <string>

// Makes `printer` the Windows default printer, so that it stays: Windows
// 10 and later put back the printer used last while "Let Windows manage my
// default printer" is on, so that setting is turned off first (as its off
// position does, LegacyDefaultPrinterMode = 1 for the user). True when the
// printer was set.
bool SetKeptDefaultPrinter(const std::wstring& printer);
