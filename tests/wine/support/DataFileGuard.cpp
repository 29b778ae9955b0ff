#include "tests/wine/support/DataFileGuard.h"

#include <shlobj.h>

#include "tests/wine/support/TestSupport.h"

namespace {

// Temporary files of the program's writes ("tnw*") and of Wine's replace ("rf*").
bool IsTemporaryFile(const std::wstring& name) { return name.compare(0, 3, L"tnw") == 0 || name.compare(0, 2, L"rf") == 0; }

bool RemoveFile(const std::wstring& path) {
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    return DeleteFileW(path.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND || GetLastError() == ERROR_PATH_NOT_FOUND;
}

}  // namespace

std::wstring CDataFileGuard::Folder() {
    wchar_t common[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, CSIDL_COMMON_APPDATA, nullptr, 0, common);
    return std::wstring(common) + L"\\Valtrecossin\\TOLVIK_NETWORK";
}

std::wstring CDataFileGuard::Path() { return Folder() + L"\\Tolvik_Network.dat"; }
std::wstring CDataFileGuard::ExtensionPath() { return Folder() + L"\\Tolvik_Network.ext"; }

bool CDataFileGuard::Remove() { return RemoveFile(Path()); }

bool CDataFileGuard::Exists() { return GetFileAttributesW(Path().c_str()) != INVALID_FILE_ATTRIBUTES; }

CDataFileGuard::CDataFileGuard() {
    const std::wstring folder = Folder();
    const std::wstring parent = folder.substr(0, folder.rfind(L'\\'));
    for (const std::wstring& f : {parent, folder})
        if (CreateDirectoryW(f.c_str(), nullptr)) createdFolders_.insert(createdFolders_.begin(), f);
    for (const std::wstring& path : {Path(), ExtensionPath()}) {
        KeptFile file{path, false, {}};
        file.existed = testsupport::ReadFileBytes(path, &file.bytes);
        kept_.push_back(file);
    }
}

CDataFileGuard::~CDataFileGuard() {
    for (const KeptFile& file : kept_) {
        RemoveFile(file.path);
        if (file.existed) testsupport::WriteFileBytes(file.path, file.bytes);
    }
    for (const std::wstring& name : testsupport::FolderEntries(Folder()))
        if (IsTemporaryFile(name)) {
            SetFileAttributesW((Folder() + L"\\" + name).c_str(), FILE_ATTRIBUTE_NORMAL);  // a kept only copy
            DeleteFileW((Folder() + L"\\" + name).c_str());
        }
    for (const std::wstring& f : createdFolders_) RemoveDirectoryW(f.c_str());
}
