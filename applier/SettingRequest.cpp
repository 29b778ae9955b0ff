#include "applier/SettingRequest.h"

#include "profile/ProfileData.h"
#include "switching/HandoffRecord.h"

ApplierPlan PlanSettingRequest(const uint8_t* message, std::size_t size) {
    ApplierPlan refused;
    refused.refused = true;
    if (message == nullptr || size != kSettingRequestSize) return refused;
    HandoffContents request;
    request.profile.LoadBytes(message);
    if (request.profile.Record().profileId == 0) return refused;
    return PlanApplierRun(request);  // window32 0: no one is notified
}

void EncodeSettingReply(SettingReply reply, uint8_t (&bytes)[kSettingReplySize]) {
    const uint32_t value = static_cast<uint32_t>(static_cast<int32_t>(reply));
    for (std::size_t i = 0; i < kSettingReplySize; ++i) bytes[i] = static_cast<uint8_t>(value >> (8 * i));
}

SettingReply DecodeSettingReply(const uint8_t* bytes, std::size_t size) {
    if (bytes == nullptr || size != kSettingReplySize) return SettingReply::Failed;
    uint32_t value = 0;
    for (std::size_t i = 0; i < kSettingReplySize; ++i) value |= static_cast<uint32_t>(bytes[i]) << (8 * i);
    switch (static_cast<int32_t>(value)) {
        case 0: return SettingReply::Applied;
        case 1: return SettingReply::Refused;
        case 2: return SettingReply::NotPermitted;
        case 3: return SettingReply::Busy;
        default: return SettingReply::Failed;
    }
}
