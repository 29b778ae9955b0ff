#pragma once
// Texts of the main dialog's messages that carry a value.
#include <windows.h>

#include <string>

// The message with its token replaced by `value` (user text is never a format).
std::wstring FormatMessageText(UINT id, const std::wstring& value);
