// The tool window's export and import.
#include "editor/EditorResource.h"
#include "editor/win/EditProfileDlg.h"
#include "editor/win/ProfileFileDialog.h"
#include "editor/win/ProfileFiles.h"
#include "editor/win/ToolMessages.h"

void CEditProfileDlg::OnExport(bool selectedOnly) {
    const std::vector<CProfileData> profiles = list_.Take(selectedOnly ? SelectedRows() : std::vector<int>());
    if (selectedOnly && profiles.empty()) return;
    std::wstring path;
    if (!ChooseProfileFile(m_hWnd, true, path)) return;
    ImportError error;
    const ProfileFileWrite written = ExportProfiles(path, profiles, ieMajorVersion_, error);
    if (written != ProfileFileWrite::written) {
        ShowError(written == ProfileFileWrite::refused ? ExportErrorText(error)
                                                      : ToolText(IDS_TOOL_FILE_UNWRITABLE, {path}));
        return;
    }
    ShowToolMessage(m_hWnd, ToolText(IDS_TOOL_EXPORTED, {std::to_wstring(profiles.size()), path}),
                    MB_ICONINFORMATION);
}

void CEditProfileDlg::OnImport() {
    std::wstring path;
    if (!ChooseProfileFile(m_hWnd, false, path)) return;
    std::vector<CProfileData> imported;
    ImportError error;
    const ProfileFileRead read = ReadProfileFile(path, imported, error);
    if (read == ProfileFileRead::unreadable) {
        ShowError(ToolText(IDS_TOOL_FILE_UNREADABLE, {path}));
        return;
    }
    if (read == ProfileFileRead::read) {
        bool append = false;
        if (list_.Count() > 0) {
            const int answer = Ask(ToolText(IDS_TOOL_IMPORT_QUESTION), MB_ICONQUESTION | MB_YESNOCANCEL);
            if (answer == IDCANCEL) return;
            append = answer == IDNO;
        }
        const int first = append ? list_.Count() : 0;
        error = list_.Import(imported, append, ieMajorVersion_);
        if (!error.Failed()) {
            FillList({first});
            return;
        }
    }
    ShowError(ImportErrorText(error));
}
