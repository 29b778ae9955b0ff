#include "controls/win/CustomEdit_DropFile.h"

#include <shellapi.h>

#include "framework/win/MessageFilter.h"
#include "framework/win/UniqueHandle.h"

namespace {

// The shell hands a drop over in these messages.
constexpr UINT kCopyGlobalData = 0x0049;  // WM_COPYGLOBALDATA

}  // namespace

void CCustomEdit_DropFile::PreSubclassWindow() {
    AllowMessagesFromAnyProcess(m_hWnd, {WM_DROPFILES, WM_COPYDATA, kCopyGlobalData});
}

bool CCustomEdit_DropFile::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message != WM_DROPFILES) return CEdit::OnMessage(message, wParam, lParam, result);
    OnDropFiles(reinterpret_cast<HDROP>(wParam));
    *result = DefWindowProc(message, wParam, lParam);
    // Nobody else looks at the drop: give its memory back.
    ::DragFinish(reinterpret_cast<HDROP>(wParam));
    return true;
}

void CCustomEdit_DropFile::OnDropFiles(HDROP drop) {
    if (::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0) == 0) return;
    wchar_t path[MAX_PATH] = {};
    if (::DragQueryFileW(drop, 0, path, MAX_PATH) == 0) return;
    WIN32_FIND_DATAW found;
    const CFindHandle finder(::FindFirstFileW(path, &found));
    if (!finder.Valid()) return;
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) SetWindowText(path);
}
