#pragma once
#include "framework/win/Wnd.h"

// A dialog from a template of the program's resources, modal (DoModal, run
// in the framework's own loop so that PreTranslateMessage works) or
// modeless (Create). Virtual hooks: OnInitDialog, OnOK, OnCancel and those
// of CWnd; PreTranslateMessage does the dialog keyboard handling.
class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);
    ~CDialog() override;

    // Runs the dialog modally; the value given to EndDialog, or -1 when the
    // window could not be created. With no parent, the thread's active window
    // (if any) becomes the owner and is disabled meanwhile.
    virtual INT_PTR DoModal();
    // Creates the dialog modeless (the template decides visibility).
    bool Create(UINT templateId, CWnd* parent = nullptr);
    // Ends a modal dialog with `result`; hides and destroys a modeless one.
    void EndDialog(int result);
    bool IsModal() const { return modal_; }

    // Return TRUE to let the system set the focus.
    virtual BOOL OnInitDialog() { return TRUE; }
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }

    BOOL PreTranslateMessage(MSG* msg) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

    UINT TemplateId() const { return templateId_; }

protected:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // WM_INITDIALOG for `dialog`: binds it and runs OnInitDialog.
    static INT_PTR InitDialogObject(HWND window, CDialog* dialog);
    // Every other message for a bound dialog object.
    static INT_PTR DispatchDialogMessage(CDialog* dialog, UINT message, WPARAM wParam, LPARAM lParam);

    UINT templateId_;
    CWnd* parent_;

private:
    HWND ModalOwner() const;
    void RunModalLoop();

    bool modal_ = false;
    bool endRequested_ = false;
    int result_ = -1;
};
