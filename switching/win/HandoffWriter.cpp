#include "switching/win/HandoffWriter.h"

#include "switching/win/HandoffBlock.h"

HANDLE WriteHandoffBlock(const CProfileData& profile, HWND window) {
    const HandoffImage image = BuildHandoffImage(profile, static_cast<uint32_t>(HandleToLong(window)));
    HANDLE mapping = CreateNewHandoffBlock();
    if (mapping == nullptr) return nullptr;
    {
        HandoffView view(mapping);
        if (view.Data() == nullptr) {
            CloseHandle(mapping);
            return nullptr;
        }
        CopyMemory(view.Data(), image.data(), kHandoffSize);
    }
    return mapping;
}
