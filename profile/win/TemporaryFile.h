#pragma once
#include <windows.h>

#include <string>

// The temporary file a write of the data file goes to before it takes the
// data file's place, in the data file's own folder ("tnw*.tmp"). Removed
// when the object goes, unless it was put in place or has to stay.
class CTemporaryFile {
public:
    // Creates a new, empty temporary file in `folder`; Path() is empty when
    // none could be made.
    explicit CTemporaryFile(const std::wstring& folder);
    ~CTemporaryFile();
    CTemporaryFile(const CTemporaryFile&) = delete;
    CTemporaryFile& operator=(const CTemporaryFile&) = delete;

    const std::wstring& Path() const { return path_; }
    // It is the data file now.
    void Placed() { kept_ = true; }
    // It may be the only copy of the profiles: it stays, read-only, so that
    // no later write takes it for a left-over.
    void KeepAsOnlyCopy();

private:
    std::wstring path_;
    bool kept_ = false;
};

// Removes the temporary files that earlier writes left in `folder` when they
// were cut short (the program killed, the computer switched off); a kept
// only copy stays. Called after a write has put its file in place.
void RemoveLeftoverTemporaries(const std::wstring& folder);
