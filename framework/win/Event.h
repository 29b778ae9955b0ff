#pragma once
#include <windows.h>

// Owns a manual-reset event, unnamed, created not signalled.
class CEvent {
public:
    CEvent() : handle_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
    ~CEvent() {
        if (handle_ != nullptr) CloseHandle(handle_);
    }
    CEvent(const CEvent&) = delete;
    CEvent& operator=(const CEvent&) = delete;

    HANDLE Handle() const { return handle_; }
    void Set() const {
        if (handle_ != nullptr) SetEvent(handle_);
    }
    void Reset() const {
        if (handle_ != nullptr) ResetEvent(handle_);
    }

private:
    HANDLE handle_;
};
