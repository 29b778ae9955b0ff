#include "profile/win/FileReplacement.h"

#include <aclapi.h>

#include "framework/win/UniqueHandle.h"

namespace {

bool MoveOnto(const std::wstring& temporary, const std::wstring& target) {
    return MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) !=
           FALSE;
}

// The replacement takes the target's attributes (not read-only) and access-control list,
// as far as they can be read and given; it keeps its own otherwise (those
// of the folder it was made in).
void KeepAttributesAndAccess(const std::wstring& target, const std::wstring& replacement) {
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES)  // read-only would keep the writer from removing a failed one
        SetFileAttributesW(replacement.c_str(), attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
    PACL dacl = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetNamedSecurityInfoW(target.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, &dacl,
                              nullptr, &descriptor) != ERROR_SUCCESS)
        return;
    const CLocalMemory owned(descriptor);
    SECURITY_DESCRIPTOR_CONTROL control = 0;
    DWORD revision = 0;
    const bool isProtected = GetSecurityDescriptorControl(descriptor, &control, &revision) &&
                             (control & SE_DACL_PROTECTED) != 0;
    SetNamedSecurityInfoW(const_cast<wchar_t*>(replacement.c_str()), SE_FILE_OBJECT,
                          DACL_SECURITY_INFORMATION | (isProtected ? PROTECTED_DACL_SECURITY_INFORMATION
                                                                   : UNPROTECTED_DACL_SECURITY_INFORMATION),
                          nullptr, nullptr, dacl, nullptr);
}

// After a replace that stopped half-way, the temporary file still carries
// its own name; whatever is at the target's name (nothing, or the old file
// put back) is replaced by it.
Placement FinishMove(const std::wstring& temporary, const std::wstring& target) {
    if (MoveOnto(temporary, target)) return Placement::placed;
    return NoFileAt(target) ? Placement::onlyCopy : Placement::notPlaced;
}

}  // namespace

bool NoFileAt(const std::wstring& path) {
    if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) return false;
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

DWORD SystemReplace(const std::wstring& target, const std::wstring& replacement) {
    KeepAttributesAndAccess(target, replacement);
    if (MoveOnto(replacement, target)) return ERROR_SUCCESS;
    return GetLastError();
}

Placement MoveIntoPlace(const std::wstring& temporary, const std::wstring& target, const ReplaceCall& replace) {
    // A first write has nothing to replace.
    if (NoFileAt(target)) return MoveOnto(temporary, target) ? Placement::placed : Placement::notPlaced;
    switch (replace(target, temporary)) {
    case ERROR_SUCCESS:
        return Placement::placed;
    case ERROR_UNABLE_TO_MOVE_REPLACEMENT:    // the old file is gone, the new one not yet renamed
    case ERROR_UNABLE_TO_MOVE_REPLACEMENT_2:  // the old file lives on under another name
        return FinishMove(temporary, target);
    default:  // nothing was changed
        return Placement::notPlaced;
    }
}
