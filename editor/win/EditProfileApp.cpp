#include "editor/win/EditProfileApp.h"

#include <commctrl.h>

#include "app/win/InstanceMutex.h"
#include "editor/EditorCommandLine.h"
#include "editor/EditorResource.h"
#include "editor/win/CommandRun.h"
#include "editor/win/DataFileWriteAccess.h"
#include "editor/win/EditProfileDlg.h"
#include "editor/win/ProfileFiles.h"
#include "editor/win/ScriptConsole.h"
#include "editor/win/ToolMessages.h"
#include "framework/win/ModuleFolder.h"
#include "framework/win/WideText.h"
#include "resources/resource.h"
#include "system/win/RegAccess.h"

namespace {

// The tool's window as a second start finds it: brought back and to the front.
bool ActivateRunningTool() {
    HWND window = FindWindowW(L"#32770", kToolCaption);
    if (window == nullptr) return false;
    ShowWindow(window, IsIconic(window) ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow(window);
    return true;
}

// A refusal told the way the run was asked for: a message box for the
// window, the script's console for a command line.
int Refuse(bool withWindow, UINT id, int exitCode) {
    if (withWindow) ShowToolMessage(nullptr, ToolText(id), MB_ICONERROR);
    else WriteToScript(ToolText(id), true);
    return exitCode;
}

}  // namespace

bool CEditProfileApp::InitInstance() {
    bool existed = false;
    CreateInstanceMutex(kEditToolMutexName, toolMutex_, existed);
    const EditorCommand command = ParseEditorCommandLine(T(GetCommandLineW()));
    const bool withWindow = command.kind == EditorCommand::Kind::window;
    if (existed) {
        if (!withWindow || !ActivateRunningTool())
            exitCode_ = Refuse(withWindow, IDS_TOOL_ALREADY_RUNNING, kExitRefused);
        return false;
    }
    if (InstanceMutexExists(kInstanceMutexName)) {
        exitCode_ = Refuse(withWindow, IDS_TOOL_MAIN_RUNNING, kExitRefused);
        return false;
    }
    const std::wstring programFolder = FolderOfModule(Instance());
    exitCode_ = withWindow ? RunToolWindow(programFolder) : RunCommand(command, programFolder);
    return false;
}

int RunToolWindow(const std::wstring& programFolder) {
    // Said at once, not after the user's edits at "保存".
    if (!MayWriteDataFile(programFolder)) return Refuse(true, IDS_TOOL_NOT_WRITABLE, kExitDataFile);
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    CProfileEditList list;
    if (LoadDataFile(list, programFolder) == -1) return Refuse(true, IDS_READ_FAILED, kExitDataFile);
    CEditProfileDlg dialog(list, programFolder, CRegAccess().ReadIeMajorVersion());
    dialog.DoModal();
    return kExitDone;
}

int CEditProfileApp::ExitInstance() {
    toolMutex_.Reset();
    return exitCode_;
}
