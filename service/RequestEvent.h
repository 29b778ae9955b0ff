#pragma once
// The event-log entry of one request: its insertion strings, in the order
// of the message's text.
#include <array>
#include <cstddef>
#include <cstdint>

#include "applier/SettingRequest.h"
#include "framework/Text.h"

// `s` with every character that could change how the log reads written as
// \uXXXX (four upper-case hex digits): the control characters (C0, DEL,
// C1), the line and paragraph separators and the bidirectional marks,
// embeddings, overrides and isolates.
Text EscapedForLog(const Text& s);

// The client's user name, the record's connection name escaped (empty for
// a message that is no record) and the reply as a number ("0", "1", "-1").
std::array<Text, 3> RequestEventStrings(const Text& user, const uint8_t* message, std::size_t size,
                                        SettingReply reply);
