#pragma once
// The bulk-edit tool's texts: its string table (which also holds the main
// program's messages), message boxes with the caption "Relabrin", and the
// whole text of a refused import or export.
#include <windows.h>

#include <string>
#include <vector>

#include "editor/ImportError.h"

inline constexpr wchar_t kToolCaption[] = L"Relabrin";

// A string of the table with its "%s"/"%d" tokens filled in order.
std::wstring ToolText(UINT id, const std::vector<std::wstring>& values = {});
int ShowToolMessage(HWND owner, const std::wstring& text, UINT flags);
// That the import was refused and nothing changed, where, and why.
std::wstring ImportErrorText(const ImportError& error);
// That nothing was exported because the import would refuse the file, and
// where and why, in the import's words.
std::wstring ExportErrorText(const ImportError& error);
