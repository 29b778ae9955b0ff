#pragma once
// The named shared-memory block "Tolvik_NetworkSelectMapFile" as both
// programs see it. The main program creates it anew for each switch, never
// taking over a block of that name that exists already (whoever made that
// one chose its size and security); the setting applier only opens it, for
// reading, and never touches a view that is smaller than the handoff record.
#include <windows.h>

#include "framework/win/UniqueHandle.h"
#include "switching/HandoffRecord.h"

inline const wchar_t* HandoffBlockName() { return reinterpret_cast<const wchar_t*>(kHandoffBlockName); }

// The applier's side: the block that the main program holds open, or null
// when there is none.
inline HANDLE OpenHandoffBlockForReading() { return OpenFileMappingW(FILE_MAP_READ, FALSE, HandoffBlockName()); }

// A view of the whole block, unmapped when it goes out of scope. Data() is
// null when the block could not be mapped or holds fewer bytes than the
// handoff record.
class HandoffView {
public:
    HandoffView(HANDLE mapping, DWORD access) : view_(MapViewOfFile(mapping, access, 0, 0, 0)) {}

    void* Data() const { return HoldsRecord() ? view_.Get() : nullptr; }

private:
    bool HoldsRecord() const {
        MEMORY_BASIC_INFORMATION region;
        return view_.Valid() && VirtualQuery(view_.Get(), &region, sizeof(region)) == sizeof(region) &&
               region.RegionSize >= kHandoffSize;
    }

    CMappedView view_;
};
