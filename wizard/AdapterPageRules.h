#pragma once
// The rules of the network connection page, apart from its controls.
#include <cstddef>
#include <vector>

#include "framework/Text.h"

namespace adapterpage {

// The row selected when the page is shown: the last row whose adapter
// description equals `description` exactly, or the first row when none
// does (a new profile). 0 also for an empty list.
std::size_t RowToSelect(const std::vector<Text>& descriptions, const Text& description);

}  // namespace adapterpage
