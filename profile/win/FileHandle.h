#pragma once
#include <windows.h>

// Owns a file handle and closes it when it goes out of scope.
class CFileHandle {
public:
    explicit CFileHandle(HANDLE handle) : handle_(handle) {}
    ~CFileHandle() { Close(); }
    CFileHandle(const CFileHandle&) = delete;
    CFileHandle& operator=(const CFileHandle&) = delete;

    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
    HANDLE Get() const { return handle_; }
    // Closes now; false when CloseHandle reports a failure.
    bool Close() {
        if (!Valid()) return true;
        const BOOL closed = CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
        return closed != FALSE;
    }

private:
    HANDLE handle_;
};
