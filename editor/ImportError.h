#pragma once
// Why a profile file was refused: where (the profile by its number in the
// file and its name, and the field by its key) and the message that says
// why (a string of the tool's table; the wizard's own messages for the
// checks the tool shares with the wizard).
#include <cstdint>
#include <string>
#include <vector>

#include "framework/Text.h"

struct ImportError {
    int messageId = 0;           // 0: nothing wrong
    int profileNumber = 0;       // 1-based position in the file; 0: the file as a whole
    Text profileName;            // as far as it could be read
    std::string field;           // the key; empty when no single key is at fault
    std::vector<long long> values;  // the numbers the message names (limits)

    bool Failed() const { return messageId != 0; }
};
