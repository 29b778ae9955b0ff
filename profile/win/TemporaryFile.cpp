#include "profile/win/TemporaryFile.h"

#include "framework/win/UniqueHandle.h"

namespace {

constexpr wchar_t kPrefix[] = L"tnw";
constexpr wchar_t kPattern[] = L"\\tnw*.tmp";

constexpr DWORD kNotLeftovers = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY;

}  // namespace

CTemporaryFile::CTemporaryFile(const std::wstring& folder) {
    wchar_t path[MAX_PATH] = {};
    if (GetTempFileNameW(folder.c_str(), kPrefix, 0, path) != 0) path_ = path;
}

CTemporaryFile::~CTemporaryFile() {
    if (!kept_ && !path_.empty()) DeleteFileW(path_.c_str());
}

void CTemporaryFile::KeepAsOnlyCopy() {
    kept_ = true;
    SetFileAttributesW(path_.c_str(), FILE_ATTRIBUTE_READONLY);
}

void RemoveLeftoverTemporaries(const std::wstring& folder) {
    WIN32_FIND_DATAW found;
    const CFindHandle find(FindFirstFileW((folder + kPattern).c_str(), &found));
    if (!find.Valid()) return;
    do {
        if ((found.dwFileAttributes & kNotLeftovers) == 0) DeleteFileW((folder + L"\\" + found.cFileName).c_str());
    } while (FindNextFileW(find.Get(), &found));
}
