#pragma once
// The setting service's protocol: one request message holds one profile
// record exactly as the data file stores it (26,148 bytes), followed by the
// profile's extension object when it has additions
// (extensionstore::SwitchObject, at most 16 KiB); the reply is one
// little-endian 32-bit value. Portable: the service and the main program
// both build on it, and the service plans what it runs with the applier's
// own plan.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "applier/ApplierPlan.h"
#include "profile/ExtensionStore.h"
#include "profile/ProfileData.h"

inline constexpr char16_t kSettingServiceName[] = u"OrtivoNetworkSetting";
// The service serves a pipe of a new name at each start: this, a dot and
// the lower-case hexadecimal digits of kSettingPipeRandomBytes random bytes.
// It publishes the name where only SYSTEM and Administrators can write, so
// that no program of a user can take the pipe's name before the service.
inline constexpr char16_t kSettingPipeName[] = u"\\\\.\\pipe\\Tolvik_NetworkSetting";
inline constexpr std::size_t kSettingPipeRandomBytes = 16;
inline constexpr std::size_t kSettingRequestSize = kProfileRecordSize;  // the record alone
inline constexpr std::size_t kSettingRequestMaxSize = kSettingRequestSize + extensionstore::kObjectLimit;
inline constexpr std::size_t kSettingReplySize = 4;

enum class SettingReply : int32_t {
    Applied = 0,       // the commands ran and the pause is over
    Refused = 1,       // nothing ran: wrong size, profileId 0, or the plan refused it
    NotPermitted = 2,  // nothing ran: the client may not ask the service for this
    Busy = 3,          // nothing ran: the client's session has a request queued or running
    Failed = -1,       // a command could not be started or did not end in its bound
};

Text SettingPipeName(const uint8_t (&random)[kSettingPipeRandomBytes]);
// Whether `name` is one that SettingPipeName makes; a client opens no other.
bool IsSettingPipeName(const Text& name);

// The request message for the profile: its record, then its extension object.
std::vector<uint8_t> SettingRequestMessage(const CProfileData& profile);

// What the service runs for one request message. A message shorter than the
// record or longer than kSettingRequestMaxSize, an extension that does not
// read for the record, a record with profileId 0 and a record the applier
// would refuse are all refused; nothing is ever sent to a window from here.
ApplierPlan PlanSettingRequest(const uint8_t* message, std::size_t size);

// What a switch makes of the service's reply: applied; the TCP/IP failure;
// or, when the service may not do this for this user, the elevated applier
// as when no service runs (an administrator can still allow it).
enum class ServiceOutcome { Applied, Failed, UseApplier };
ServiceOutcome OutcomeOfReply(SettingReply reply);
// The reply that stands for a pipe the client could not open with this
// system error code: access denied (5) is NotPermitted, anything else Failed.
SettingReply ReplyForUnopenedPipe(uint32_t systemError);

// The reply as it travels, and back; any 4 bytes that are not one of the
// replies read as Failed.
void EncodeSettingReply(SettingReply reply, uint8_t (&bytes)[kSettingReplySize]);
SettingReply DecodeSettingReply(const uint8_t* bytes, std::size_t size);
