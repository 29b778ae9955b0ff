#include "editor/win/DataFileWriteAccess.h"

#include <windows.h>

#include "framework/win/UniqueHandle.h"
#include "profile/win/ProfileFileAccess.h"

NewFileQuery allowsNewFileIn = SystemAllowsNewFileIn;

bool SystemAllowsNewFileIn(const std::wstring& folder) {
    // A folder is opened only with backup semantics; without the backup and
    // restore privileges enabled, the security check is the usual one.
    const CFileHandle opened(CreateFileW(folder.c_str(), FILE_ADD_FILE,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                         OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return opened.Valid() || GetLastError() != ERROR_ACCESS_DENIED;
}

bool MayWriteDataFile(const std::wstring& programFolder) { return allowsNewFileIn(DataFolderPath(programFolder)); }
