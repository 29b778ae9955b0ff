#pragma once
// The About box: product name, version and copyright from its template;
// OK closes it.
#include "framework/win/Dialog.h"

class CVersionDialog : public CDialog {
public:
    explicit CVersionDialog(CWnd* parent = nullptr);
    ~CVersionDialog() override = default;
};
