#pragma once
// The named shared-memory block "Tolvik_NetworkSelectMapFile", as both
// programs open it: the same name, size and protection on either side, so
// whichever comes first creates it (zero-filled) and the other opens it.
// A block of that name made by anyone else keeps its own size, so neither
// side touches a view that is smaller than the handoff record.
#include <windows.h>

#include "switching/HandoffRecord.h"

inline HANDLE OpenHandoffBlock() {
    return CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, static_cast<DWORD>(kHandoffSize),
                              reinterpret_cast<const wchar_t*>(kHandoffBlockName));
}

// The writer's side: a block that it creates itself, never one that
// already exists (whoever made that one chose its size and security).
inline HANDLE CreateNewHandoffBlock() {
    SetLastError(ERROR_SUCCESS);
    HANDLE mapping = OpenHandoffBlock();
    if (mapping != nullptr && GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(mapping);
        return nullptr;
    }
    return mapping;
}

// A writable view of the whole block, unmapped when it goes out of scope.
// Data() is null when the block could not be mapped or holds fewer bytes
// than the handoff record.
class HandoffView {
public:
    explicit HandoffView(HANDLE mapping) : view_(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, 0)) {}
    ~HandoffView() {
        if (view_ != nullptr) UnmapViewOfFile(view_);
    }
    HandoffView(const HandoffView&) = delete;
    HandoffView& operator=(const HandoffView&) = delete;

    void* Data() const { return HoldsRecord() ? view_ : nullptr; }

private:
    bool HoldsRecord() const {
        MEMORY_BASIC_INFORMATION region;
        return view_ != nullptr && VirtualQuery(view_, &region, sizeof(region)) == sizeof(region) &&
               region.RegionSize >= kHandoffSize;
    }

    void* view_;
};
