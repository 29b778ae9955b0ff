#pragma once
// The named shared-memory block "Tolvik_NetworkSelectMapFile", as both
// programs open it: the same name, size and protection on either side, so
// whichever comes first creates it (zero-filled) and the other opens it.
#include <windows.h>

#include "switching/HandoffRecord.h"

inline HANDLE OpenHandoffBlock() {
    return CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, static_cast<DWORD>(kHandoffSize),
                              reinterpret_cast<const wchar_t*>(kHandoffBlockName));
}

// A writable view of the whole block, unmapped when it goes out of scope.
class HandoffView {
public:
    explicit HandoffView(HANDLE mapping) : view_(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, 0)) {}
    ~HandoffView() {
        if (view_ != nullptr) UnmapViewOfFile(view_);
    }
    HandoffView(const HandoffView&) = delete;
    HandoffView& operator=(const HandoffView&) = delete;

    void* Data() const { return view_; }

private:
    void* view_;
};
