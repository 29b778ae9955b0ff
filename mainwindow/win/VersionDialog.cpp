#include "mainwindow/win/VersionDialog.h"

#include "resources/resource.h"

CVersionDialog::CVersionDialog(CWnd* parent) : CDialog(IDD_ABOUTBOX, parent) {}
