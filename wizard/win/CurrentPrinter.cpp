#include <windows.h>
#include <winspool.h>

#include <vector>

#include "framework/win/WideText.h"
#include "wizard/win/CurrentSettings.h"

namespace {

constexpr DWORD kPrinterNameChars = 1024;

}  // namespace

void FillPrinterFromCurrent(CProfileData& profile) {
    // One unit beyond what the spooler may fill, so the name always ends.
    std::vector<wchar_t> name(kPrinterNameChars + 1, L'\0');
    DWORD count = kPrinterNameChars;
    if (!GetDefaultPrinterW(name.data(), &count)) return;
    profile.SetText(ProfileText::printerName, T(std::wstring(name.data())));
}
