#pragma once
// The file chooser of the application page: the system's file-open dialog
// (Vista style) listing every file, no default extension, no initial name,
// the chosen file must exist.
#include <windows.h>

#include <string>

// True and the file's full path when the user chose a file; false when the
// user cancelled or the dialog could not be shown.
bool ChooseApplicationFile(HWND owner, std::wstring* path);
