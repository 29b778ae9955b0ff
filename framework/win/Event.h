#pragma once
#include <windows.h>

#include "framework/win/UniqueHandle.h"

// Owns a manual-reset event, unnamed, created not signalled.
class CEvent {
public:
    CEvent() : handle_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

    HANDLE Handle() const { return handle_.Get(); }
    void Set() const {
        if (handle_.Valid()) SetEvent(handle_.Get());
    }
    void Reset() const {
        if (handle_.Valid()) ResetEvent(handle_.Get());
    }

private:
    CKernelHandle handle_;
};
