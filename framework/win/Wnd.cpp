#include "framework/win/Wnd.h"

namespace {
const wchar_t kObjectProperty[] = L"Ortivo.CWnd";
}

CWnd::~CWnd() {
    if (superProc_) UnsubclassWindow();
    else if (m_hWnd) Unbind();
}

CWnd* CWnd::FromHandle(HWND window) {
    return window ? static_cast<CWnd*>(::GetPropW(window, kObjectProperty)) : nullptr;
}

void CWnd::Bind(HWND window) {
    m_hWnd = window;
    ::SetPropW(window, kObjectProperty, this);
}

void CWnd::Unbind() {
    if (m_hWnd && FromHandle(m_hWnd) == this) ::RemovePropW(m_hWnd, kObjectProperty);
    m_hWnd = nullptr;
}

bool CWnd::Attach(HWND window) {
    if (!window || m_hWnd || FromHandle(window)) return false;
    Bind(window);
    return true;
}

HWND CWnd::Detach() {
    HWND window = m_hWnd;
    Unbind();
    return window;
}

bool CWnd::SubclassWindow(HWND window) {
    if (!Attach(window)) return false;
    PreSubclassWindow();
    superProc_ = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::SubclassProc)));
    if (!superProc_) {
        Unbind();
        return false;
    }
    return true;
}

bool CWnd::SubclassDlgItem(int id, CWnd* parent) {
    return parent && SubclassWindow(::GetDlgItem(parent->m_hWnd, id));
}

HWND CWnd::UnsubclassWindow() {
    if (superProc_ && m_hWnd)
        ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(superProc_));
    superProc_ = nullptr;
    return Detach();
}

LRESULT CALLBACK CWnd::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* object = FromHandle(window);
    if (!object) return ::DefWindowProcW(window, message, wParam, lParam);
    if (message != WM_NCDESTROY) return object->WindowProc(message, wParam, lParam);
    LRESULT result = object->WindowProc(message, wParam, lParam);
    object->UnsubclassWindow();
    object->PostNcDestroy();
    return result;
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (OnMessage(message, wParam, lParam, &result)) return result;
    return DefWindowProc(message, wParam, lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (superProc_) return ::CallWindowProcW(superProc_, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

bool CWnd::OfferToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    HWND child = nullptr;
    switch (message) {
        case WM_COMMAND: child = reinterpret_cast<HWND>(lParam); break;
        case WM_NOTIFY: child = reinterpret_cast<NMHDR*>(lParam)->hwndFrom; break;
        case WM_DRAWITEM: child = reinterpret_cast<DRAWITEMSTRUCT*>(lParam)->hwndItem; break;
        case WM_MEASUREITEM:
            child = ::GetDlgItem(m_hWnd, static_cast<int>(reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->CtlID));
            break;
        case WM_CTLCOLORBTN: case WM_CTLCOLOREDIT: case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORSCROLLBAR: case WM_CTLCOLORSTATIC:
            child = reinterpret_cast<HWND>(lParam);
            break;
        default: return false;
    }
    CWnd* object = FromHandle(child);
    return object && object != this && object->OnChildNotify(message, wParam, lParam, result);
}

bool CWnd::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (OfferToChild(message, wParam, lParam, result)) return true;
    switch (message) {
        case WM_COMMAND:
            if (!OnCommand(wParam, lParam)) return false;
            *result = 0;
            return true;
        case WM_NOTIFY:
            return OnNotify(wParam, reinterpret_cast<NMHDR*>(lParam), result);
        case WM_CTLCOLORBTN: case WM_CTLCOLORDLG: case WM_CTLCOLOREDIT: case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORMSGBOX: case WM_CTLCOLORSCROLLBAR: case WM_CTLCOLORSTATIC: {
            HBRUSH brush = OnCtlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), message);
            if (!brush) return false;
            *result = reinterpret_cast<LRESULT>(brush);
            return true;
        }
        default: return false;
    }
}

bool CWnd::OnCommand(WPARAM, LPARAM) { return false; }
bool CWnd::OnNotify(WPARAM, NMHDR*, LRESULT*) { return false; }
HBRUSH CWnd::OnCtlColor(HDC, HWND, UINT) { return nullptr; }
bool CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*) { return false; }

std::wstring WindowTextOf(HWND window) {
    int length = ::GetWindowTextLengthW(window);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    int copied = ::GetWindowTextW(window, &text[0], length + 1);
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

std::wstring CWnd::GetWindowText() const { return WindowTextOf(m_hWnd); }

void CWnd::CenterWindow() {
    HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
    RECT area;
    if (owner && ::IsWindowVisible(owner)) {
        ::GetWindowRect(owner, &area);
    } else {
        MONITORINFO info = {};
        info.cbSize = sizeof(info);
        ::GetMonitorInfoW(::MonitorFromWindow(m_hWnd, MONITOR_DEFAULTTOPRIMARY), &info);
        area = info.rcWork;
    }
    RECT self;
    ::GetWindowRect(m_hWnd, &self);
    int x = area.left + ((area.right - area.left) - (self.right - self.left)) / 2;
    int y = area.top + ((area.bottom - area.top) - (self.bottom - self.top)) / 2;
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
