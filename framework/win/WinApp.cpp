#include "framework/win/WinApp.h"

#include "framework/win/MessageLoop.h"

CWinApp* CWinApp::current_ = nullptr;

CWinApp::CWinApp() { current_ = this; }

CWinApp::~CWinApp() {
    if (current_ == this) current_ = nullptr;
}

int CWinApp::Run(HINSTANCE instance) {
    instance_ = instance;
    if (InitInstance()) {
        while (msgloop::PumpMessage()) {
        }
    }
    return ExitInstance();
}
