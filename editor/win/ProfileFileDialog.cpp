#include "editor/win/ProfileFileDialog.h"

#include <commdlg.h>

#include <vector>

#include "editor/EditorResource.h"
#include "editor/win/ToolMessages.h"

bool ChooseProfileFile(HWND owner, bool forSaving, std::wstring& path) {
    // The filter's pairs are separated by "|" in the string table.
    std::wstring filter = ToolText(IDS_TOOL_FILE_FILTER);
    for (wchar_t& c : filter)
        if (c == L'|') c = L'\0';
    filter.push_back(L'\0');
    std::vector<wchar_t> file(MAX_PATH * 4, L'\0');
    OPENFILENAMEW dialog = {};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrDefExt = L"json";
    dialog.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR |
                   (forSaving ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
    const BOOL chosen = forSaving ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
    if (!chosen) return false;
    path = file.data();
    return true;
}
