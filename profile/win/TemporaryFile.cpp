#include "profile/win/TemporaryFile.h"

namespace {

constexpr wchar_t kPrefix[] = L"tnw";
constexpr wchar_t kPattern[] = L"\\tnw*.tmp";

// Owns a find handle.
class CFind {
public:
    CFind(const std::wstring& pattern, WIN32_FIND_DATAW* found) : handle_(FindFirstFileW(pattern.c_str(), found)) {}
    ~CFind() {
        if (Valid()) FindClose(handle_);
    }
    CFind(const CFind&) = delete;
    CFind& operator=(const CFind&) = delete;
    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    bool Next(WIN32_FIND_DATAW* found) const { return FindNextFileW(handle_, found) != FALSE; }

private:
    HANDLE handle_;
};

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
    const CFind find(folder + kPattern, &found);
    if (!find.Valid()) return;
    do {
        if ((found.dwFileAttributes & kNotLeftovers) == 0) DeleteFileW((folder + L"\\" + found.cFileName).c_str());
    } while (find.Next(&found));
}
