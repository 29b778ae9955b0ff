#pragma once
#include <windows.h>

#include <string>

// Message boxes of the program: caption "Ortivo", texts from the string table.
inline constexpr wchar_t kProductCaption[] = L"Ortivo";

// MessageBoxW(owner, text, "Ortivo", flags).
int ShowOrtivoText(HWND owner, const std::wstring& text, UINT flags);
int ShowOrtivoMessage(HWND owner, UINT id, UINT flags);
