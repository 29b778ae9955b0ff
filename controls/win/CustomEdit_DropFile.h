#pragma once
#include "framework/win/Edit.h"

#include <shellapi.h>

// An edit control that takes over the path of a file dropped on it from
// the shell (the first one, when several are dropped; folders are ignored).
// The control needs the extended style WS_EX_ACCEPTFILES from its template.
// Drops from the shell reach it in an elevated program too.
class CCustomEdit_DropFile : public CEdit {
public:
    void PreSubclassWindow() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
    void OnDropFiles(HDROP drop);
};
