#include "switching/win/HandoffWriter.h"

#include "switching/HandoffRecord.h"

HANDLE WriteHandoffBlock(const CProfileData& profile, HWND window) {
    const HandoffImage image = BuildHandoffImage(profile, static_cast<uint32_t>(HandleToLong(window)));
    HANDLE mapping = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                        static_cast<DWORD>(kHandoffSize),
                                        reinterpret_cast<const wchar_t*>(kHandoffBlockName));
    if (mapping == nullptr) return nullptr;
    void* view = MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, 0);
    if (view == nullptr) {
        CloseHandle(mapping);
        return nullptr;
    }
    CopyMemory(view, image.data(), kHandoffSize);
    UnmapViewOfFile(view);
    return mapping;
}
