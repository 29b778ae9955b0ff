// IP address and list-view controls, also of another process: messages
// that carry pointers get a buffer in the control's own process.
#include "tests/wine/support/GuiDriver.h"

#include <commctrl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

namespace gui {
namespace {

// Memory in the process that owns a window, freed on destruction.
class RemoteBuffer {
public:
    RemoteBuffer(HWND owner, size_t size) : owner_(owner) {
        DWORD pid = 0;
        GetWindowThreadProcessId(owner, &pid);
        process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
        if (process_)
            address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    }
    ~RemoteBuffer() {
        if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
        if (process_) CloseHandle(process_);
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    // False (and the running test failed) when no buffer could be had.
    bool Ok() const {
        if (address_ == nullptr) ADD_FAILURE() << "no buffer in the process of window " << owner_;
        return address_ != nullptr;
    }
    char* At(size_t offset) const { return static_cast<char*>(address_) + offset; }
    LPARAM Param() const { return reinterpret_cast<LPARAM>(address_); }
    bool Write(const void* data, size_t size, size_t offset = 0) const {
        return WriteProcessMemory(process_, At(offset), data, size, nullptr) != 0;
    }
    bool Read(void* data, size_t size, size_t offset = 0) const {
        return ReadProcessMemory(process_, At(offset), data, size, nullptr) != 0;
    }

private:
    HWND owner_;
    HANDLE process_ = nullptr;
    void* address_ = nullptr;
};

// A query that gets no answer (no such window, or none within the time)
// fails the running test: a 0 it would return must never pass for a value.
LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, 10000, &result))
        ADD_FAILURE() << "message 0x" << std::hex << message << " to window " << window << " got no answer";
    return static_cast<LRESULT>(result);
}

constexpr size_t kTextChars = 1024;

}  // namespace

// ---- IP address controls -------------------------------------------------------

void SetIpAddress(HWND control, DWORD address) { Send(control, IPM_SETADDRESS, 0, address); }

void ClearIpAddress(HWND control) { Send(control, IPM_CLEARADDRESS, 0, 0); }

bool ReadIpAddress(HWND control, DWORD* address, int* filledFields) {
    RemoteBuffer buffer(control, sizeof(DWORD));
    if (!buffer.Ok()) return false;
    int filled = static_cast<int>(Send(control, IPM_GETADDRESS, 0, buffer.Param()));
    DWORD value = 0;
    if (!buffer.Read(&value, sizeof(value))) {
        ADD_FAILURE() << "the address of control " << control << " could not be read";
        return false;
    }
    if (address) *address = value;
    if (filledFields) *filledFields = filled;
    return true;
}

// ---- list views ----------------------------------------------------------------

int ListViewCount(HWND list) { return static_cast<int>(Send(list, LVM_GETITEMCOUNT, 0, 0)); }

int ListViewSelected(HWND list) {
    return static_cast<int>(Send(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

std::wstring ListViewText(HWND list, int row, int column) {
    RemoteBuffer buffer(list, sizeof(LVITEMW) + kTextChars * sizeof(wchar_t));
    if (!buffer.Ok()) return std::wstring();
    LVITEMW item = {};
    item.iSubItem = column;
    item.pszText = reinterpret_cast<LPWSTR>(buffer.At(sizeof(LVITEMW)));
    item.cchTextMax = kTextChars;
    buffer.Write(&item, sizeof(item));
    int length = static_cast<int>(Send(list, LVM_GETITEMTEXTW, row, buffer.Param()));
    std::wstring text(kTextChars, L'\0');
    if (!buffer.Read(&text[0], kTextChars * sizeof(wchar_t), sizeof(LVITEMW))) {
        ADD_FAILURE() << "the text of row " << row << " could not be read";
        return std::wstring();
    }
    text.resize(length > 0 ? static_cast<size_t>(length) : 0);
    return text;
}

std::vector<std::wstring> ListViewRows(HWND list, int column) {
    std::vector<std::wstring> rows;
    DWORD_PTR count = 0;
    if (!IsWindow(list) || !SendMessageTimeoutW(list, LVM_GETITEMCOUNT, 0, 0, SMTO_NORMAL, 10000, &count)) return rows;
    RemoteBuffer buffer(list, sizeof(LVITEMW) + kTextChars * sizeof(wchar_t));
    if (!buffer.Ok()) return rows;
    for (int row = 0; row < static_cast<int>(count); ++row) {
        LVITEMW item = {};
        item.iSubItem = column;
        item.pszText = reinterpret_cast<LPWSTR>(buffer.At(sizeof(LVITEMW)));
        item.cchTextMax = kTextChars;
        DWORD_PTR length = 0;
        std::wstring text(kTextChars, L'\0');
        if (!buffer.Write(&item, sizeof(item)) ||
            !SendMessageTimeoutW(list, LVM_GETITEMTEXTW, row, buffer.Param(), SMTO_NORMAL, 10000, &length) ||
            !buffer.Read(&text[0], kTextChars * sizeof(wchar_t), sizeof(LVITEMW)))
            return std::vector<std::wstring>();  // the view went meanwhile
        text.resize(static_cast<size_t>(length));
        rows.push_back(text);
    }
    return rows;
}

LPARAM ListViewData(HWND list, int row) {
    RemoteBuffer buffer(list, sizeof(LVITEMW));
    if (!buffer.Ok()) return 0;
    LVITEMW item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    buffer.Write(&item, sizeof(item));
    if (!Send(list, LVM_GETITEMW, 0, buffer.Param()) || !buffer.Read(&item, sizeof(item))) {
        ADD_FAILURE() << "the data of row " << row << " could not be read";
        return 0;
    }
    return item.lParam;
}

Outcome ListViewSelect(HWND list, int row) {
    RemoteBuffer buffer(list, sizeof(LVITEMW));
    if (!buffer.Ok()) return AssertionFailure() << "no buffer in the process of " << WindowName(list);
    LVITEMW item = {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    buffer.Write(&item, sizeof(item));
    Send(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), buffer.Param());
    if (row < 0) return AssertionSuccess();
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    buffer.Write(&item, sizeof(item));
    const bool selected = Send(list, LVM_SETITEMSTATE, row, buffer.Param()) != 0;
    Send(list, LVM_ENSUREVISIBLE, row, FALSE);
    if (selected) return AssertionSuccess();
    return AssertionFailure() << "row " << row << " of " << WindowName(list) << " (" << ListViewCount(list)
                              << " rows) could not be selected";
}

// ---- dropped files -------------------------------------------------------------

Outcome DropFiles(HWND control, const std::vector<std::wstring>& paths) {
    std::wstring list;
    for (const std::wstring& path : paths) list += path + L'\0';
    list += L'\0';
    const size_t listBytes = list.size() * sizeof(wchar_t);
    RemoteBuffer buffer(control, sizeof(DROPFILES) + listBytes);
    if (!buffer.Ok()) return AssertionFailure() << "no buffer in the process of " << WindowName(control);
    DROPFILES files = {};
    files.pFiles = sizeof(DROPFILES);
    files.fWide = TRUE;
    if (!buffer.Write(&files, sizeof(files)) || !buffer.Write(list.data(), listBytes, sizeof(files)))
        return AssertionFailure() << "the file list could not be written for " << WindowName(control);
    DWORD_PTR result = 0;
    const WPARAM drop = static_cast<WPARAM>(buffer.Param());
    if (!SendMessageTimeoutW(control, WM_DROPFILES, drop, 0, SMTO_NORMAL, 10000, &result))
        return AssertionFailure() << WindowName(control) << " did not answer WM_DROPFILES";
    return AssertionSuccess();
}

}  // namespace gui
