#include "wizard/AdapterPageRules.h"

namespace adapterpage {

std::size_t RowToSelect(const std::vector<Text>& descriptions, const Text& description) {
    std::size_t row = 0;
    for (std::size_t i = 0; i < descriptions.size(); ++i)
        if (descriptions[i] == description) row = i;
    return row;
}

}  // namespace adapterpage
