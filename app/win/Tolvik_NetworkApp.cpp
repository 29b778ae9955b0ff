#include "app/win/Tolvik_NetworkApp.h"

#include <commctrl.h>
#include <objbase.h>
#include <shobjidl.h>
#include <wincrypt.h>

#include "app/CmdLineAnalysis.h"
#include "app/Messages.h"
#include "app/win/InstanceMutex.h"
#include "app/win/JumpListManager.h"
#include "app/win/OrtivoMessage.h"
#include "app/win/WindowsVersion.h"
#include "framework/win/ModuleFolder.h"
#include "framework/win/WideText.h"
#include "mainwindow/win/Tolvik_NetworkDlg.h"
#include "profile/win/GeneratHashMgr.h"
#include "profile/win/ProfileFileAccess.h"
#include "resources/resource.h"
#include "system/win/RegAccess.h"
#include "system/win/RegistrySetting.h"

namespace {

constexpr wchar_t kDialogClass[] = L"#32770";
constexpr wchar_t kSwitchingCaption[] = L"Ortivo (ネットワーク設定中)";
constexpr std::size_t kDigestSize = 20;

// COM for the jump list; uninitialised only when this call initialised it.
class ComSession {
public:
    ComSession() : hr_(CoInitialize(nullptr)) {}
    ~ComSession() {
        if (SUCCEEDED(hr_)) CoUninitialize();
    }
    ComSession(const ComSession&) = delete;
    ComSession& operator=(const ComSession&) = delete;

private:
    HRESULT hr_;
};

void ShowStartupError(UINT id) { ShowOrtivoMessage(nullptr, id, MB_ICONERROR); }
void ShowStartupNotice(UINT id) { ShowOrtivoMessage(nullptr, id, MB_ICONINFORMATION); }

void InitControls() {
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
}

// A second start: hand the profile number to the running main window, or
// only bring it forward while it switches, or tell the user.
void HandOverToRunningInstance(int32_t runProfile) {
    if (HWND main = FindWindowW(kDialogClass, kProductCaption)) {
        if (runProfile != -1) SendMessageW(main, kMsgRunProfile, static_cast<WPARAM>(runProfile), 0);
        ShowWindow(main, SW_SHOW);
        SetForegroundWindow(main);
    } else if (HWND switching = FindWindowW(kDialogClass, kSwitchingCaption)) {
        ShowWindow(switching, SW_SHOW);
        SetForegroundWindow(switching);
    } else {
        ShowStartupError(IDS_ALREADY_RUNNING);
    }
}

HFONT CreateBoldFont() {
    return CreateFontW(16, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS, L"メイリオ");
}

// True when a digest was stored for the data file and the file no longer has it.
bool DataFileChangedSinceStored(const std::wstring& dataFile) {
    BYTE current[kDigestSize] = {};
    CGeneratHashMgr().GetFileHash(dataFile, current, kDigestSize, CALG_SHA1);
    uint8_t stored[kDigestSize] = {};
    if (!CRegAccess().ReadDatData(stored)) return false;
    for (std::size_t i = 0; i < kDigestSize; ++i)
        if (stored[i] != current[i]) return true;
    return false;
}

}  // namespace

CTolvik_NetworkApp& TheApp() { return *static_cast<CTolvik_NetworkApp*>(CWinApp::Current()); }

CTolvik_NetworkApp::CTolvik_NetworkApp() = default;

CTolvik_NetworkApp::~CTolvik_NetworkApp() = default;

bool CTolvik_NetworkApp::InitInstance() {
    // Before any window: the taskbar groups every window of the process,
    // the first message box included, under the button of this identity.
    setTaskbarIdentity(kTaskbarIdentity);
    InitControls();
    CCmdLineAnalysis commandLine;
    commandLine.ParseCommandLine(T(GetCommandLineW()));
    autoRun = commandLine.autoRun;
    runProfile = commandLine.runProfile;

    bool existed = false;
    CreateInstanceMutex(kInstanceMutexName, instanceMutex, existed);
    if (existed) {
        HandOverToRunningInstance(runProfile);
        return false;
    }
    if (InstanceMutexExists(kEditToolMutexName)) {
        ShowStartupError(IDS_EDITOR_RUNNING);
        return false;
    }
    programFolder = FolderOfModule(Instance());
    if (wmiAccess.Connect() != 0) {
        ShowStartupError(IDS_WMI_ERROR);
        return false;
    }
    boldFont.Reset(CreateBoldFont());
    if (!boldFont.Valid()) {
        ShowStartupError(IDS_FONT_ERROR);
        return false;
    }
    if (!IsWindows7OrLater()) {
        ShowStartupError(IDS_OS_ERROR);
        return false;
    }
    ieMajorVersion = CRegAccess().ReadIeMajorVersion();
    if (ieMajorVersion < 6) {
        ShowStartupError(IDS_IE_VERSION_ERROR);
        return false;
    }
    managed = ReadManagedProfiles();
    if (!LoadProfiles()) return false;
    RunMainDialog();
    return false;
}

bool CTolvik_NetworkApp::LoadProfiles() {
    profiles.Clear();
    CProfileFileAccess file(profiles, programFolder);
    const int read = managed ? file.Read(digestRead) : file.Read();
    if (read == -1) {
        ShowStartupError(IDS_READ_FAILED);
        return false;
    }
    if (read == 1 && !managed) file.Write();
    if (profiles.Count() != 0) return true;
    if (runProfile == -1) {
        ShowStartupNotice(IDS_NO_PROFILES);
        return true;
    }
    // A task or command line asked for a profile that cannot exist: leave
    // an empty jump list behind.
    ShowStartupError(IDS_READ_FAILED);
    ComSession com;
    if (!RefreshJumpList(nullptr, false)) ShowStartupError(IDS_INIT_FAILED);
    return false;
}

void CTolvik_NetworkApp::RunMainDialog() {
    ComSession com;
    if (!RefreshJumpList(nullptr, false)) {
        ShowStartupError(IDS_INIT_FAILED);
        return;
    }
    CTolvik_NetworkDlg mainDialog(*this);
    if (runProfile != -1) {
        const std::wstring dataFile = CommonDataFilePath();
        if (dataFile.empty()) {
            ShowStartupError(IDS_INTERNAL_ERROR);
            return;
        }
        if (DataFileChangedSinceStored(dataFile)) {
            // The tasks the user chose from were published for other data.
            CRegAccess().StoreDatData();
            ShowStartupNotice(IDS_JUMPLIST_STALE);
            if (!RefreshJumpList(&profiles, true)) ShowStartupError(IDS_INIT_FAILED);
            return;
        }
        mainDialog.SetStartupProfile(runProfile);
    }
    mainDialog.DoModal();
}

void CTolvik_NetworkApp::NotifyApplierFinished() {
    applierFinished = 1;
    applierFinishedEvent.Set();
}

void CTolvik_NetworkApp::ClearApplierFinished() {
    applierFinished = 0;
    applierFinishedEvent.Reset();
}

int CTolvik_NetworkApp::ExitInstance() {
    profiles.Clear();
    instanceMutex.Reset();
    return CWinApp::ExitInstance();
}
