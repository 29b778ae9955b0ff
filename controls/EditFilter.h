#pragma once
// Character rules of the filtering edit control. Portable.
#include "framework/Text.h"

namespace editfilter {

enum Mode : int {
    kNoFilter = 0,
    kDigits = 1,     // decimal digits
    kPrintable = 2,  // printable ASCII without blanks
};

// Whether the character may enter a field of this mode.
bool IsCharAllowed(int mode, bool allowOtherAscii, char16_t c);

// Typed characters that never go through the filter: the control characters
// that edit and use the clipboard (backspace, Ctrl+A/C/V/X/Z, ...).
bool BypassesTypingFilter(char16_t c);

// The text with every refused character removed, order kept.
Text FilterText(int mode, bool allowOtherAscii, const Text& text);

}  // namespace editfilter
