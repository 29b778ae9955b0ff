#pragma once
// The setting service's event-log entries: their insertion strings, in the
// order of the messages' texts (SettingServiceMessages.mc).
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

// Event kRequestEventId: the client's process id and session id, the
// record's profile name and connection name escaped (empty for a message
// that is no record) and the reply as a number ("0", "1", "2", "3", "-1").
std::array<Text, 5> RequestEventStrings(uint32_t processId, uint32_t sessionId, const uint8_t* message,
                                        std::size_t size, SettingReply reply);

// Event kLeftOutEventId: the session and how many of its requests were not
// logged.
std::array<Text, 2> LeftOutEventStrings(uint32_t sessionId, uint32_t count);

// Event kSourceImportedEventId: the profile source's path (escaped), the
// SHA-256 of the file imported and how many profiles it held.
std::array<Text, 3> SourceImportedEventStrings(const Text& source, const Text& sha256, std::size_t count);

// Event kSourceRefusedEventId: the profile source's path and the import's
// message, on one line, escaped (the profile names in it come from the file).
std::array<Text, 2> SourceRefusedEventStrings(const Text& source, const Text& message);
