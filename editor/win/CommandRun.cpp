#include "editor/win/CommandRun.h"

#include "editor/EditorResource.h"
#include "editor/win/DataFileWriteAccess.h"
#include "editor/win/ProfileFiles.h"
#include "editor/win/ProfileImport.h"
#include "editor/win/ScriptConsole.h"
#include "editor/win/ToolMessages.h"
#include "framework/win/WideText.h"
#include "resources/resource.h"
#include "system/win/RegAccess.h"

namespace {

int Fail(int code, const std::wstring& reason) {
    WriteToScript(reason, true);
    return code;
}

std::wstring Count(std::size_t n) { return std::to_wstring(n); }

int Export(const std::wstring& path, const std::wstring& programFolder) {
    CProfileEditList list;
    if (LoadDataFile(list, programFolder) == -1) return Fail(kExitDataFile, ToolText(IDS_READ_FAILED));
    const std::vector<CProfileData> profiles = list.Take({});
    ImportError error;
    const ProfileFileWrite written = ExportProfiles(path, profiles, CRegAccess().ReadIeMajorVersion(), error);
    if (written == ProfileFileWrite::refused) return Fail(kExitNotImportable, ExportErrorText(error));
    if (written == ProfileFileWrite::unwritable)
        return Fail(kExitProfileFile, ToolText(IDS_TOOL_FILE_UNWRITABLE, {path}));
    WriteToScript(ToolText(IDS_TOOL_EXPORTED, {Count(profiles.size()), path}), false);
    return kExitDone;
}

int Import(const std::wstring& path, bool append, const std::wstring& programFolder) {
    if (!MayWriteDataFile(programFolder)) return Fail(kExitDataFile, ToolText(IDS_TOOL_NOT_WRITABLE));
    const ImportResult result = ImportProfileFile(path, append, programFolder);
    WriteToScript(result.message, result.exitCode != kExitDone);
    return result.exitCode;
}

}  // namespace

int RunCommand(const EditorCommand& command, const std::wstring& programFolder) {
    const std::wstring file = W(command.file);
    switch (command.kind) {
        case EditorCommand::Kind::exportFile: return Export(file, programFolder);
        case EditorCommand::Kind::importFile: return Import(file, command.append, programFolder);
        default: return Fail(kExitUsage, ToolText(IDS_TOOL_USAGE));
    }
}
