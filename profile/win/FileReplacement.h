#pragma once
// Putting a finished temporary file in the place of a file.
#include <windows.h>

#include <functional>
#include <string>

// True when nothing exists at `path` (neither the file nor its folder).
bool NoFileAt(const std::wstring& path);

// The replace call: 0 when `replacement` took the place of `target`,
// otherwise the error it reported. Replaceable for tests.
using ReplaceCall = std::function<DWORD(const std::wstring& target, const std::wstring& replacement)>;
// The replacement takes the target's attributes and access rights and is
// then renamed onto the target in one step (MoveFileExW, replacing): at
// every moment the target's name holds the whole old file or the whole new
// one, even when the process is killed in between. (ReplaceFileW does not
// promise that: Wine's moves the target aside first.)
DWORD SystemReplace(const std::wstring& target, const std::wstring& replacement);

enum class Placement {
    placed,     // the target holds the new image; the temporary file is gone
    notPlaced,  // the target is as it was; the temporary file may go
    onlyCopy,   // no file is left at the target: the temporary file may be the only copy and must stay
};

// Moves `temporary` onto `target`. A replace that gave up half-way (the old
// file already removed or renamed aside) is finished with a plain move, so
// the new image never disappears with the old one.
Placement MoveIntoPlace(const std::wstring& temporary, const std::wstring& target, const ReplaceCall& replace);
