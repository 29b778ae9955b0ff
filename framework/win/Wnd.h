#pragma once
#include <windows.h>

#include <string>

#include "framework/Object.h"

// The text of any window (a control of a dialog, for example).
std::wstring WindowTextOf(HWND window);

// A window object bound to one window handle.
//
// Messages reach an object in two ways:
//  - a window the object subclassed (SubclassWindow, SubclassDlgItem) sends
//    every message to WindowProc, whose default is OnMessage and then the
//    window's previous procedure (DefWindowProc);
//  - a dialog sends its messages to OnMessage through the dialog procedure
//    (CDialog).
// OnMessage dispatches to the small virtual handlers below; a derived class
// overrides a handler, or OnMessage itself for any other message (calling
// the base for the rest). Handlers return whether they handled the message.
//
// Messages that a control sends its parent (WM_COMMAND, WM_NOTIFY,
// WM_DRAWITEM, WM_MEASUREITEM, WM_CTLCOLOR*) are first offered back to the
// control's own object (OnChildNotify), so a control class can draw itself.
class CWnd : public CObject {
public:
    CWnd() = default;
    ~CWnd() override;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;
    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }

    // The object bound to a window handle (subclassed or a dialog), or null.
    static CWnd* FromHandle(HWND window);

    // Binds the object to a window without changing its procedure (a control
    // used only through its messages). Detach undoes it.
    bool Attach(HWND window);
    HWND Detach();
    // Binds the object and routes the window's messages through WindowProc.
    bool SubclassWindow(HWND window);
    bool SubclassDlgItem(int id, CWnd* parent);
    HWND UnsubclassWindow();

    // Called from the message loop before a message of this window or of one
    // of its children is dispatched; true when it was handled here.
    virtual BOOL PreTranslateMessage(MSG* msg);
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The previous window procedure (or ::DefWindowProcW).
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    virtual bool OnCommand(WPARAM wParam, LPARAM lParam);
    virtual bool OnNotify(WPARAM wParam, NMHDR* header, LRESULT* result);
    // A brush for the control (or the window itself), or null for the default colours.
    virtual HBRUSH OnCtlColor(HDC dc, HWND control, UINT message);
    // A message that this control sent its parent, offered back to it.
    virtual bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    // Once the window is bound to the object: for a dialog before
    // WM_INITDIALOG, for a subclassed window before its messages come here.
    virtual void PreSubclassWindow() {}
    // After the window is gone (WM_NCDESTROY); the object is unbound by then.
    virtual void PostNcDestroy() {}

    // Thin wrappers.
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendMessageW(m_hWnd, message, wParam, lParam);
    }
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::PostMessageW(m_hWnd, message, wParam, lParam);
    }
    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    std::wstring GetWindowText() const;
    void SetWindowText(const std::wstring& text) { ::SetWindowTextW(m_hWnd, text.c_str()); }
    BOOL ShowWindow(int command) { return ::ShowWindow(m_hWnd, command); }
    BOOL EnableWindow(bool enable) { return ::EnableWindow(m_hWnd, enable ? TRUE : FALSE); }
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    void Invalidate(bool erase = true) { ::InvalidateRect(m_hWnd, nullptr, erase ? TRUE : FALSE); }
    void SetRedraw(bool redraw) { SendMessage(WM_SETREDRAW, redraw ? TRUE : FALSE, 0); }
    void GetClientRect(RECT* rect) const { ::GetClientRect(m_hWnd, rect); }
    void GetWindowRect(RECT* rect) const { ::GetWindowRect(m_hWnd, rect); }
    HWND SetFocus() { return ::SetFocus(m_hWnd); }
    LONG_PTR GetStyle() const { return ::GetWindowLongPtrW(m_hWnd, GWL_STYLE); }
    void CenterWindow();

protected:
    // Binds the object to the handle (window property), without subclassing.
    void Bind(HWND window);
    void Unbind();

private:
    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool OfferToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

    WNDPROC superProc_ = nullptr;
};
