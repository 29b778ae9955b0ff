#pragma once
// What the user is told at the end of a switch, decided from its result word.
#include <cstdint>
#include <vector>

#include "framework/Text.h"

// Bits of the result word (wParam of the result message).
inline constexpr uint32_t kResultTcpIp = 0x0100;
inline constexpr uint32_t kResultProxy = 0x0200;
inline constexpr uint32_t kResultPrinter = 0x0400;
inline constexpr uint32_t kResultChecks = 0x0800;
// Check bits in the low byte, looked at only with kResultChecks.
inline constexpr uint32_t kCheckAddress = 0x01;
inline constexpr uint32_t kCheckPing = 0x02;
inline constexpr uint32_t kCheckHttp = 0x04;
inline constexpr uint32_t kCheckLinkLocal = 0x08;
inline constexpr uint32_t kCheckAdapter = 0x10;
inline constexpr uint32_t kCheckNoAddress = 0x20;

enum class ResultIcon { Error, Information };

// One message box: the string ids of its lines, in order, and its icon.
struct ResultMessage {
    std::vector<int> lineIds;
    ResultIcon icon = ResultIcon::Error;
};

// The message boxes for a result word, in the order they are shown: one
// each for TCP/IP, proxy and printer failures, one for all failed checks
// (lines in the order 0x10, 0x01, 0x08, 0x20, 0x02, 0x04; a line that is
// already in the box is not repeated), or the success message for 0.
std::vector<ResultMessage> ComposeResultMessages(uint32_t resultWord);

// The lines of one box joined with "\r\n".
Text JoinMessageLines(const std::vector<Text>& lines);
