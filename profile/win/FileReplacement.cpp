#include "profile/win/FileReplacement.h"

namespace {

bool MoveOnto(const std::wstring& temporary, const std::wstring& target) {
    return MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) !=
           FALSE;
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
    if (ReplaceFileW(target.c_str(), replacement.c_str(), nullptr, 0, nullptr, nullptr)) return ERROR_SUCCESS;
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
