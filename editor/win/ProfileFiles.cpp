#include "editor/win/ProfileFiles.h"

#include <windows.h>

#include "editor/ProfileExport.h"
#include "editor/ProfileJson.h"
#include "framework/win/UniqueHandle.h"
#include "profile/win/ProfileFileAccess.h"
#include "resources/resource.h"

namespace {

// Far more than twelve profiles can take; anything larger is not ours.
constexpr LONGLONG kLargestProfileFile = 16LL << 20;

}  // namespace

int LoadDataFile(CProfileEditList& list, const std::wstring& programFolder) {
    return CProfileFileAccess(list.Profiles(), programFolder, CProfileFileAccess::Digest::leave).Read();
}

int SaveDataFile(CProfileEditList& list, const std::wstring& programFolder) {
    CProfileCollection saved = list.ForSaving();
    const int result = CProfileFileAccess(saved, programFolder, CProfileFileAccess::Digest::leave).Write();
    if (result == 0) list.MarkSaved();
    return result;
}

unsigned SaveFailureMessage(int result) { return result == -2 ? IDS_DISK_FULL : IDS_WRITE_FAILED; }

ProfileFileWrite ExportProfiles(const std::wstring& path, const std::vector<CProfileData>& profiles,
                                int32_t ieMajorVersion, ImportError& error) {
    std::string text;
    error = profileexport::Compose(profiles, ieMajorVersion, text);
    if (error.Failed()) return ProfileFileWrite::refused;
    if (text.empty()) return ProfileFileWrite::unwritable;
    CFileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                 nullptr));
    if (!file.Valid()) return ProfileFileWrite::unwritable;
    DWORD written = 0;
    const bool wrote = WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
                       written == text.size();
    return file.Close() && wrote ? ProfileFileWrite::written : ProfileFileWrite::unwritable;
}

bool ReadProfileBytes(const std::wstring& path, std::string& text) {
    CFileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size;
    if (!file.Valid() || !GetFileSizeEx(file.Get(), &size) || size.QuadPart > kLargestProfileFile) return false;
    text.assign(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    return text.empty() ||
           (ReadFile(file.Get(), &text[0], static_cast<DWORD>(text.size()), &read, nullptr) && read == text.size());
}

ProfileFileRead ReadProfileFile(const std::wstring& path, std::vector<CProfileData>& profiles, ImportError& error) {
    std::string text;
    if (!ReadProfileBytes(path, text)) return ProfileFileRead::unreadable;
    error = profilejson::Read(text, profiles);
    return error.Failed() ? ProfileFileRead::refused : ProfileFileRead::read;
}
