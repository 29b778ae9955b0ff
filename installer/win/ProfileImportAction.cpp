// The package's import of a profile file (ORTIVO_PROFILES): the deferred
// custom actions of ProfileImportAction.dll, which the package carries in
// its Binary table (installer/tables.sql). Windows Installer runs them as
// LocalSystem (no impersonation), once the programs and the registry values
// are in place and before the setting service starts. The import is the
// bulk-edit tool's own (it replaces the profiles, with the tool's checks,
// all or nothing); its message goes into the installation log, and a
// refused or unreadable file fails the installation, which is then rolled
// back. The data file as the import found it is put back by the rollback.
#include <windows.h>
#include <msiquery.h>

#include <string>

#include "editor/win/CommandRun.h"
#include "editor/win/ProfileImport.h"
#include "editor/win/ToolMessages.h"
#include "framework/win/MsiHandle.h"
#include "installer/win/DataFileRollback.h"
#include "resources/resource.h"

namespace {

// What the package hands the import: "<program folder>|<profile file>";
// no path holds a '|'.
constexpr wchar_t kDataSeparator = L'|';

std::wstring CustomActionData(MSIHANDLE install) {
    wchar_t none[1] = {};
    DWORD size = 0;
    if (MsiGetPropertyW(install, L"CustomActionData", none, &size) != ERROR_MORE_DATA) return std::wstring();
    std::wstring data(size + 1, L'\0');  // the size counted no terminating null
    size = static_cast<DWORD>(data.size());
    if (MsiGetPropertyW(install, L"CustomActionData", &data[0], &size) != ERROR_SUCCESS) return std::wstring();
    data.resize(size);
    return data;
}

// One line of the installation log, naming the property: information, or
// an error (which a full user interface also shows).
void Log(MSIHANDLE install, INSTALLMESSAGE kind, const std::wstring& text) {
    const CMsiHandle record(MsiCreateRecord(1));
    if (!record.Valid()) return;
    // The text is a field's value, so brackets in it are never read as properties.
    MsiRecordSetStringW(record.Get(), 0, L"ORTIVO_PROFILES: [1]");
    MsiRecordSetStringW(record.Get(), 1, text.c_str());
    MsiProcessMessage(install, kind, record.Get());
}

UINT Refuse(MSIHANDLE install, const std::wstring& message) {
    Log(install, INSTALLMESSAGE_ERROR, message);
    return ERROR_INSTALL_FAILURE;
}

}  // namespace

extern "C" __declspec(dllexport) UINT __stdcall ImportProfiles(MSIHANDLE install) {
    const std::wstring data = CustomActionData(install);
    const std::size_t separator = data.find(kDataSeparator);
    if (separator == std::wstring::npos) return ERROR_INSTALL_FAILURE;
    std::wstring programFolder = data.substr(0, separator);
    while (!programFolder.empty() && programFolder.back() == L'\\') programFolder.pop_back();
    if (!KeepDataFileForRollback()) return Refuse(install, ToolText(IDS_WRITE_FAILED));
    const ImportResult result = ImportProfileFile(data.substr(separator + 1), false, programFolder);
    if (result.exitCode != kExitDone) return Refuse(install, result.message);
    Log(install, INSTALLMESSAGE_INFO, result.message);
    return ERROR_SUCCESS;
}

extern "C" __declspec(dllexport) UINT __stdcall PutBackProfiles(MSIHANDLE) {
    PutBackKeptDataFile();
    return ERROR_SUCCESS;
}

extern "C" __declspec(dllexport) UINT __stdcall DiscardKeptProfiles(MSIHANDLE) {
    DiscardKeptDataFile();
    return ERROR_SUCCESS;
}
