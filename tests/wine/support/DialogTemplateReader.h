#pragma once
// Reads an extended dialog template (DLGTEMPLATEEX) from resource bytes.
#include <windows.h>

#include <string>
#include <vector>

namespace restest {

struct DialogItem {
    DWORD style = 0;
    DWORD exStyle = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    int id = 0;
    std::wstring className;  // upper case, or "#0x0080" style for the predefined classes
    std::wstring text;       // a text, or "#<n>" for a resource ordinal
};

struct DialogTemplate {
    DWORD style = 0;
    DWORD exStyle = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    std::wstring title;
    WORD pointSize = 0;
    WORD weight = 0;
    BYTE charset = 0;
    std::wstring typeface;
    std::vector<DialogItem> items;

    const DialogItem* Find(int id) const;
};

// False when the bytes are not an extended template.
bool ReadDialogTemplate(const void* data, size_t size, DialogTemplate* out);

}  // namespace restest
