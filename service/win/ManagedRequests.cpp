#include "service/win/ManagedRequests.h"

#include <aclapi.h>
#include <sddl.h>

#include <atomic>

#include "framework/win/ModuleFolder.h"
#include "framework/win/UniqueHandle.h"
#include "framework/win/WideText.h"
#include "profile/win/ProfileFileAccess.h"
#include "service/DataFileProtection.h"
#include "service/ManagedApproval.h"
#include "service/win/RequestLog.h"

namespace {

Text SystemSecuritySddl(const std::wstring& path) {
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    const SECURITY_INFORMATION parts = OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION;
    if (GetNamedSecurityInfoW(path.c_str(), SE_FILE_OBJECT, parts, nullptr, nullptr, nullptr, nullptr,
                              &descriptor) != ERROR_SUCCESS)
        return Text();
    const CLocalMemory owned(descriptor);
    LPWSTR sddl = nullptr;
    if (!ConvertSecurityDescriptorToStringSecurityDescriptorW(descriptor, SDDL_REVISION_1, parts, &sddl, nullptr))
        return Text();
    const CLocalMemory text(sddl);
    return T(sddl);
}

// Set while the last look found the data unprotected and said so.
std::atomic<bool> unprotectedReported{false};

std::wstring FolderOf(const std::wstring& file) { return file.substr(0, file.find_last_of(L'\\')); }

// A file that is not there needs nothing: no user may add one to a
// protected folder.
bool IsAbsent(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES && GetLastError() == ERROR_FILE_NOT_FOUND;
}

// The folder, the data file and the extension file, whose additions a
// request is compared with too.
bool IsProtected(const CProfileFileAccess& file) {
    const std::wstring& dataFile = file.DataFilePath();
    const std::wstring& extensionFile = file.ExtensionFilePath();
    const bool protectedNow = IsProtectedSddl(securitySddl(FolderOf(dataFile))) &&
                              IsProtectedSddl(securitySddl(dataFile)) &&
                              (IsAbsent(extensionFile) || IsProtectedSddl(securitySddl(extensionFile)));
    if (protectedNow)
        unprotectedReported = false;
    else if (!unprotectedReported.exchange(true))
        LogDataNotProtected(T(dataFile));
    return protectedNow;
}

}  // namespace

SecuritySddlCall securitySddl = SystemSecuritySddl;

bool IsManagedRequestApproved(const uint8_t* message, std::size_t size) {
    CProfileCollection profiles;
    CProfileFileAccess file(profiles, FolderOfModule(nullptr), CProfileFileAccess::Digest::leave);
    return IsProtected(file) && file.Read() == 0 && IsProfileOfFile(message, size, profiles);
}
