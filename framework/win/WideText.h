#pragma once
// Text (UTF-16 char16_t) and the Win32 API's wchar_t are the same units on
// Windows; these convert between the two spellings.
#include <string>

#include "framework/Text.h"

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wchar_t is UTF-16");

inline std::wstring W(const Text& t) { return std::wstring(t.begin(), t.end()); }
inline Text T(const std::wstring& w) { return Text(w.begin(), w.end()); }
inline const wchar_t* WPtr(const Text& t) { return reinterpret_cast<const wchar_t*>(t.c_str()); }
