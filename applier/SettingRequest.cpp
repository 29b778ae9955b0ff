#include "applier/SettingRequest.h"

#include "switching/HandoffRecord.h"

Text SettingPipeName(const uint8_t (&random)[kSettingPipeRandomBytes]) {
    return Text(kSettingPipeName) + u"." + text::LowerHex(random, kSettingPipeRandomBytes);
}

bool IsSettingPipeName(const Text& name) {
    const Text prefix = Text(kSettingPipeName) + u".";
    if (name.size() != prefix.size() + 2 * kSettingPipeRandomBytes || name.compare(0, prefix.size(), prefix) != 0)
        return false;
    for (std::size_t i = prefix.size(); i < name.size(); ++i)
        if (!((name[i] >= u'0' && name[i] <= u'9') || (name[i] >= u'a' && name[i] <= u'f'))) return false;
    return true;
}

std::vector<uint8_t> SettingRequestMessage(const CProfileData& profile) {
    const std::string extension = extensionstore::SwitchObject(profile);
    std::vector<uint8_t> message(profile.Bytes(), profile.Bytes() + kSettingRequestSize);
    message.insert(message.end(), extension.begin(), extension.end());
    return message;
}

ApplierPlan PlanSettingRequest(const uint8_t* message, std::size_t size) {
    ApplierPlan refused;
    refused.refused = true;
    if (message == nullptr || size < kSettingRequestSize || size > kSettingRequestMaxSize) return refused;
    HandoffContents request;
    request.profile.LoadBytes(message);
    if (request.profile.Record().profileId == 0) return refused;
    if (size > kSettingRequestSize)
        request.extensionRefused = !extensionstore::ReadSwitchObject(message + kSettingRequestSize,
                                                                     size - kSettingRequestSize, request.profile);
    return PlanApplierRun(request);  // window32 0: no one is notified
}

ServiceOutcome OutcomeOfReply(SettingReply reply) {
    switch (reply) {
        case SettingReply::Applied: return ServiceOutcome::Applied;
        case SettingReply::NotPermitted: return ServiceOutcome::UseApplier;
        default: return ServiceOutcome::Failed;
    }
}

SettingReply ReplyForUnopenedPipe(uint32_t systemError) {
    constexpr uint32_t kAccessDenied = 5;
    return systemError == kAccessDenied ? SettingReply::NotPermitted : SettingReply::Failed;
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
