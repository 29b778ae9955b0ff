#pragma once
#include <cstdint>

#include "framework/Object.h"
#include "framework/Text.h"

// Small utilities of the main program.
class CTools : public CObject {
public:
    ~CTools() override = default;
    // "%d.%d.%d.%d" from the most significant byte down; 0 gives "0.0.0.0".
    Text AddressToText(uint32_t address) const;
};
