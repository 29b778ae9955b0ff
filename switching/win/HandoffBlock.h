#pragma once
// The named shared-memory block "Tolvik_NetworkSelectMapFile" as both
// programs see it. The main program creates it anew for each switch, never
// taking over a block of that name that exists already (whoever made that
// one chose its size and security); the setting applier only opens it, for
// reading, and never touches a view that is smaller than the block's fixed
// part and the extension's length.
#include <windows.h>

#include "framework/win/UniqueHandle.h"
#include "switching/HandoffRecord.h"

inline const wchar_t* HandoffBlockName() { return reinterpret_cast<const wchar_t*>(kHandoffBlockName); }

// The applier's side: the block that the main program holds open, or null
// when there is none.
inline HANDLE OpenHandoffBlockForReading() { return OpenFileMappingW(FILE_MAP_READ, FALSE, HandoffBlockName()); }

// A view of the whole block, unmapped when it goes out of scope. Data() is
// null when the block could not be mapped or holds fewer bytes than the
// fixed part and the extension's length; Size() is how many bytes may be
// read there (whole pages: the block's own size is in its length).
class HandoffView {
public:
    HandoffView(HANDLE mapping, DWORD access) : view_(MapViewOfFile(mapping, access, 0, 0, 0)) {
        MEMORY_BASIC_INFORMATION region;
        if (view_.Valid() && VirtualQuery(view_.Get(), &region, sizeof(region)) == sizeof(region))
            size_ = region.RegionSize;
    }

    void* Data() const { return size_ >= kHandoffExtensionOffset ? view_.Get() : nullptr; }
    SIZE_T Size() const { return Data() != nullptr ? size_ : 0; }

private:
    CMappedView view_;
    SIZE_T size_ = 0;
};
