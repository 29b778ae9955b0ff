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
    // The reverse, strictly: four decimal numbers 0..255 of one to three
    // digits joined by "."; nothing else is accepted. False leaves *address alone.
    bool TextToAddress(const Text& text, uint32_t* address) const;
};
