#pragma once
// The setting service's protocol: one request message holds one profile
// record exactly as the data file stores it (26,148 bytes); the reply is one
// little-endian 32-bit value. Portable: the service and the main program
// both build on it, and the service plans what it runs with the applier's
// own plan.
#include <cstddef>
#include <cstdint>

#include "applier/ApplierPlan.h"
#include "profile/ProfileRecord.h"

inline constexpr char16_t kSettingServiceName[] = u"OrtivoNetworkSetting";
inline constexpr char16_t kSettingPipeName[] = u"\\\\.\\pipe\\Tolvik_NetworkSetting";
inline constexpr std::size_t kSettingRequestSize = kProfileRecordSize;
inline constexpr std::size_t kSettingReplySize = 4;

enum class SettingReply : int32_t {
    Applied = 0,       // the commands ran and the pause is over
    Refused = 1,       // nothing ran: wrong size, profileId 0, or the plan refused it
    NotPermitted = 2,  // nothing ran: the client may not ask the service for this
    Busy = 3,          // nothing ran: the client's session has a request queued or running
    Failed = -1,       // a command could not be started or did not end in its bound
};

// What the service runs for one request message. A message of another size,
// a record with profileId 0 and a record the applier would refuse are all
// refused; nothing is ever sent to a window from here.
ApplierPlan PlanSettingRequest(const uint8_t* message, std::size_t size);

// The reply as it travels, and back; any 4 bytes that are not one of the
// replies read as Failed.
void EncodeSettingReply(SettingReply reply, uint8_t (&bytes)[kSettingReplySize]);
SettingReply DecodeSettingReply(const uint8_t* bytes, std::size_t size);
