#pragma once
#include <windows.h>

#include <string>

// The folder of a module's file (GetModuleFileNameW, at most MAX_PATH
// characters) without a trailing backslash; empty when the path has none.
std::wstring FolderOfModule(HINSTANCE instance);
