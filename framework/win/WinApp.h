#pragma once
#include <windows.h>

#include "framework/Object.h"

// Application base: one object per process. wWinMain hands the instance
// to Run, which calls InitInstance and, when it returns false, ExitInstance.
class CWinApp : public CObject {
public:
    CWinApp();
    ~CWinApp() override;

    virtual bool InitInstance() { return false; }
    virtual int ExitInstance() { return 0; }

    int Run(HINSTANCE instance);
    HINSTANCE Instance() const { return instance_; }
    static CWinApp* Current() { return current_; }

private:
    HINSTANCE instance_ = nullptr;
    static CWinApp* current_;
};
