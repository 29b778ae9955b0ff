#pragma once
#include <windows.h>

#include <string>

// The system's file dialog for a profile file (*.json): a file to export
// to (`forSaving`, asking before one is replaced) or one to import. False
// when the user cancels.
bool ChooseProfileFile(HWND owner, bool forSaving, std::wstring& path);
