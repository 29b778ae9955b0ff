#include "app/win/OrtivoMessage.h"

std::wstring LoadResourceText(UINT id) {
    const wchar_t* text = nullptr;
    const int length = LoadStringW(GetModuleHandleW(nullptr), id, reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || text == nullptr) return std::wstring();
    return std::wstring(text, static_cast<std::size_t>(length));
}

int ShowOrtivoText(HWND owner, const std::wstring& text, UINT flags) {
    return MessageBoxW(owner, text.c_str(), kProductCaption, flags);
}

int ShowOrtivoMessage(HWND owner, UINT id, UINT flags) { return ShowOrtivoText(owner, LoadResourceText(id), flags); }
