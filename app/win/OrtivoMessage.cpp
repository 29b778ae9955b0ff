#include "app/win/OrtivoMessage.h"

#include "framework/win/ResourceString.h"

int ShowOrtivoText(HWND owner, const std::wstring& text, UINT flags) {
    return MessageBoxW(owner, text.c_str(), kProductCaption, flags);
}

int ShowOrtivoMessage(HWND owner, UINT id, UINT flags) { return ShowOrtivoText(owner, LoadResString(id), flags); }
