#pragma once
#include <windows.h>

#include <string>

// A string of the string table of the module this code is linked into
// (the program, or a DLL); empty when it is missing.
std::wstring LoadResString(UINT id);
