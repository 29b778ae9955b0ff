#pragma once
#include <windows.h>
#include <shobjidl.h>

#include <atomic>
#include <cstdint>
#include <string>

#include "app/win/InstanceMutex.h"
#include "framework/win/Event.h"
#include "framework/win/UniqueHandle.h"
#include "framework/win/WinApp.h"
#include "profile/ProfileCollection.h"
#include "profile/ProfileData.h"
#include "system/win/WMIAccess.h"

// The call that gives the process its taskbar identity.
using TaskbarIdentityCall = HRESULT(WINAPI*)(PCWSTR);

// The main program's application object: owns what several parts share
// for the program's whole life.
class CTolvik_NetworkApp : public CWinApp {
public:
    CTolvik_NetworkApp();
    ~CTolvik_NetworkApp() override;

    bool InitInstance() override;  // the start-up sequence; always false
    int ExitInstance() override;

    // The setting applier's report (message 0x8100) and the start of the
    // next wait for it: flag and event change together.
    void NotifyApplierFinished();
    void ClearApplierFinished();

    CInstanceMutex instanceMutex;
    std::wstring programFolder;          // without a trailing backslash
    // Profiles managed by the administrator (system/ManagedProfiles.h), read
    // once at the start: applied, never changed or written by the program.
    bool managed = false;
    // SHA-1 of the data file as the start-up read it (managed mode only;
    // all zero without a file).
    uint8_t digestRead[20] = {};
    uint8_t autoRun = 0;
    int32_t ieMajorVersion = 0;
    std::atomic<uint8_t> applierFinished{0};  // set by the UI thread, read by the switch worker
    CEvent applierFinishedEvent;              // set with applierFinished: wakes the waiting worker
    int32_t runProfile = -1;
    CGdiObject<HFONT> boldFont;
    CProfileData editRecord;
    CWMIAccess wmiAccess;
    CProfileCollection profiles;
    // Made first in the start-up; a test may look at what is handed over instead.
    TaskbarIdentityCall setTaskbarIdentity = SetCurrentProcessExplicitAppUserModelID;

private:
    // Loads the data file (creating it when absent, unless managed) and deals with an empty
    // collection; false when the program has to end.
    bool LoadProfiles();
    // Empty jump list, stale-list check, main dialog.
    void RunMainDialog();
};

// The one application object of the process.
CTolvik_NetworkApp& TheApp();
