#include "editor/win/ProfileImport.h"

#include "editor/EditorResource.h"
#include "editor/ProfileJson.h"
#include "editor/win/CommandRun.h"
#include "editor/win/ProfileFiles.h"
#include "editor/win/ToolMessages.h"
#include "resources/resource.h"
#include "system/win/RegAccess.h"

namespace {

ImportResult Failed(int code, const std::wstring& message) { return ImportResult{code, message, 0}; }

}  // namespace

ImportResult ImportProfileFile(const std::wstring& path, bool append, const std::wstring& programFolder) {
    std::string text;
    if (!ReadProfileBytes(path, text)) return Failed(kExitProfileFile, ToolText(IDS_TOOL_FILE_UNREADABLE, {path}));
    return ImportProfileText(text, append, programFolder);
}

ImportResult ImportProfileText(const std::string& utf8, bool append, const std::wstring& programFolder) {
    std::vector<CProfileData> imported;
    ImportError error = profilejson::Read(utf8, imported);
    if (error.Failed()) return Failed(kExitNotImportable, ImportErrorText(error));
    CProfileEditList list;
    // Profiles that are replaced need not be readable; those that stay must be.
    if (append && LoadDataFile(list, programFolder) == -1) return Failed(kExitDataFile, ToolText(IDS_READ_FAILED));
    error = list.Import(imported, append, CRegAccess().ReadIeMajorVersion());
    if (error.Failed()) return Failed(kExitNotImportable, ImportErrorText(error));
    const int saved = SaveDataFile(list, programFolder);
    if (saved != 0) return Failed(kExitDataFile, ToolText(SaveFailureMessage(saved)));
    return ImportResult{kExitDone, ToolText(IDS_TOOL_IMPORTED, {std::to_wstring(imported.size())}), imported.size()};
}
