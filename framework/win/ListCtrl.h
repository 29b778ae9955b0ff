#pragma once
#include "framework/win/Wnd.h"

#include <commctrl.h>

// A list-view control. An owner-drawn list view paints its rows through
// DrawItem (the parent's WM_DRAWITEM offered back to the control).
class CListCtrl : public CWnd {
public:
    virtual void DrawItem(DRAWITEMSTRUCT*) {}
    bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

    int GetItemCount() const { return static_cast<int>(SendMessage(LVM_GETITEMCOUNT)); }
    int GetNextItem(int start, UINT flags) const {
        return static_cast<int>(SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(start), flags));
    }
    int InsertColumn(int column, const LVCOLUMNW& description) {
        return static_cast<int>(SendMessage(LVM_INSERTCOLUMNW, column, reinterpret_cast<LPARAM>(&description)));
    }
    int InsertItem(int row, const std::wstring& text);
    // A row with its text and item data in one step.
    int InsertItem(int row, const std::wstring& text, LPARAM data);
    int InsertItem(const LVITEMW& item) {
        return static_cast<int>(SendMessage(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    }
    bool SetItemText(int row, int column, const std::wstring& text);
    std::wstring GetItemText(int row, int column) const;
    bool SetItemData(int row, LPARAM data);
    LPARAM GetItemData(int row) const;
    bool GetItem(LVITEMW* item) const { return SendMessage(LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(item)) != 0; }
    bool SetItemState(int row, UINT state, UINT mask);
    UINT GetItemState(int row, UINT mask) const { return static_cast<UINT>(SendMessage(LVM_GETITEMSTATE, row, mask)); }
    bool GetItemRect(int row, RECT* rect, int code) const;
    bool DeleteAllItems() { return SendMessage(LVM_DELETEALLITEMS) != 0; }
    bool EnsureVisible(int row, bool partialOk) { return SendMessage(LVM_ENSUREVISIBLE, row, partialOk) != 0; }
    bool Update(int row) { return SendMessage(LVM_UPDATE, row) != 0; }
    HIMAGELIST SetImageList(HIMAGELIST list, int which) {
        return reinterpret_cast<HIMAGELIST>(SendMessage(LVM_SETIMAGELIST, which, reinterpret_cast<LPARAM>(list)));
    }
    DWORD SetExtendedStyle(DWORD style) {
        return static_cast<DWORD>(SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, style));
    }
    DWORD GetExtendedStyle() const { return static_cast<DWORD>(SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE)); }
};
