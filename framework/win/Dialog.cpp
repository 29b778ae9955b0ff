#include "framework/win/Dialog.h"

#include "framework/win/MessageLoop.h"

namespace {

// Messages whose result a dialog procedure returns directly instead of
// through DWLP_MSGRESULT.
bool ReturnsDirectly(UINT message) {
    switch (message) {
        case WM_CTLCOLORBTN: case WM_CTLCOLORDLG: case WM_CTLCOLOREDIT: case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORMSGBOX: case WM_CTLCOLORSCROLLBAR: case WM_CTLCOLORSTATIC:
        case WM_COMPAREITEM: case WM_VKEYTOITEM: case WM_CHARTOITEM: case WM_QUERYDRAGICON:
        case WM_INITDIALOG:
            return true;
        default:
            return false;
    }
}

}  // namespace

CDialog::CDialog(UINT templateId, CWnd* parent) : templateId_(templateId), parent_(parent) {}

CDialog::~CDialog() {
    if (m_hWnd && ::IsWindow(m_hWnd)) {
        HWND window = m_hWnd;
        Unbind();
        ::DestroyWindow(window);
    }
}

HWND CDialog::ModalOwner() const {
    if (parent_ && parent_->m_hWnd) return parent_->m_hWnd;
    HWND active = ::GetActiveWindow();
    return active ? ::GetAncestor(active, GA_ROOT) : nullptr;
}

INT_PTR CDialog::DoModal() {
    HWND owner = ModalOwner();
    modal_ = true;
    endRequested_ = false;
    result_ = -1;
    HWND window = ::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId_),
                                       owner, &CDialog::DialogProc, reinterpret_cast<LPARAM>(this));
    if (!window) {
        modal_ = false;
        return -1;
    }
    bool ownerDisabled = owner && ::IsWindowEnabled(owner);
    if (ownerDisabled) ::EnableWindow(owner, FALSE);
    RunModalLoop();
    if (ownerDisabled) ::EnableWindow(owner, TRUE);
    if (m_hWnd) {
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
        if (owner && ::GetActiveWindow() == m_hWnd) ::SetActiveWindow(owner);
        ::DestroyWindow(m_hWnd);
    }
    modal_ = false;
    return result_;
}

void CDialog::RunModalLoop() {
    bool shown = false;
    while (!endRequested_ && m_hWnd) {
        MSG peek;
        if (!shown && !::PeekMessageW(&peek, nullptr, 0, 0, PM_NOREMOVE)) {
            // The loop's one show request, made once the start-up messages are done.
            ::ShowWindow(m_hWnd, SW_SHOWNORMAL);
            shown = true;
            continue;
        }
        if (!msgloop::PumpMessage()) break;
    }
}

bool CDialog::Create(UINT templateId, CWnd* parent) {
    templateId_ = templateId;
    parent_ = parent;
    modal_ = false;
    HWND owner = parent && parent->m_hWnd ? parent->m_hWnd : nullptr;
    return ::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId), owner,
                                &CDialog::DialogProc, reinterpret_cast<LPARAM>(this)) != nullptr;
}

void CDialog::EndDialog(int result) {
    result_ = result;
    endRequested_ = true;
    if (!modal_ && m_hWnd) ::DestroyWindow(m_hWnd);
    else if (m_hWnd) ::PostMessageW(m_hWnd, WM_NULL, 0, 0);  // wake the modal loop
}

BOOL CDialog::PreTranslateMessage(MSG* msg) {
    if (msg->message < WM_KEYFIRST || msg->message > WM_KEYLAST) return FALSE;
    return ::IsDialogMessageW(m_hWnd, msg);
}

bool CDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (CWnd::OnMessage(message, wParam, lParam, result)) return true;
    if (message != WM_COMMAND || (lParam && HIWORD(wParam) != BN_CLICKED)) return false;
    switch (LOWORD(wParam)) {
        case IDOK: OnOK(); break;
        case IDCANCEL: OnCancel(); break;
        default: return false;
    }
    *result = 0;
    return true;
}

INT_PTR CDialog::InitDialogObject(HWND window, CDialog* dialog) {
    if (!dialog) return TRUE;
    dialog->Bind(window);
    dialog->PreSubclassWindow();
    return dialog->OnInitDialog();
}

INT_PTR CDialog::DispatchDialogMessage(CDialog* dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCDESTROY) {
        dialog->Unbind();
        dialog->PostNcDestroy();
        return FALSE;
    }
    LRESULT result = 0;
    if (!dialog->OnMessage(message, wParam, lParam, &result)) return FALSE;
    if (ReturnsDirectly(message)) return result;
    ::SetWindowLongPtrW(dialog->m_hWnd, DWLP_MSGRESULT, result);
    return TRUE;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) return InitDialogObject(window, reinterpret_cast<CDialog*>(lParam));
    auto* dialog = dynamic_cast<CDialog*>(FromHandle(window));
    return dialog ? DispatchDialogMessage(dialog, message, wParam, lParam) : FALSE;
}
