#pragma once
// The rules of the wizard's network check page, apart from its controls.
#include <cstddef>
#include <cstdint>

#include "framework/Text.h"

namespace networkcheck {

inline constexpr std::size_t kUrlLimit = 1024;  // characters the URL edit takes

// Whether the gateway ping can be chosen: not for a fixed address without a
// default gateway, which has nothing to ping.
bool IsPingOffered(uint8_t ipMode, uint32_t defaultGateway);

// The check of Next: the URL check ticked with nothing typed fails with
// message 154 (focus on the URL edit). A URL of blanks counts as typed.
// String-table id of the failure, 0 when Next may go on.
int CheckNetworkCheckPage(bool urlTicked, const Text& url);

}  // namespace networkcheck
