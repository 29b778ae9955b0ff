#pragma once
// The event-log entry of one request: its insertion strings, in the order
// of the message's text.
#include <array>
#include <cstddef>
#include <cstdint>

#include "applier/SettingRequest.h"
#include "framework/Text.h"

// The client's user name, the record's connection name (empty for a
// message that is no record) and the reply as a number ("0", "1", "-1").
std::array<Text, 3> RequestEventStrings(const Text& user, const uint8_t* message, std::size_t size,
                                        SettingReply reply);
