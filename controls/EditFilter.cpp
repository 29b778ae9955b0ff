#include "controls/EditFilter.h"

namespace editfilter {
namespace {

bool IsAsciiDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
// The C library's graphic class in the "C" locale: 0x21..0x7E.
bool IsAsciiGraphic(char16_t c) { return c > 0x20 && c < 0x7F; }

}  // namespace

bool IsCharAllowed(int mode, bool allowOtherAscii, char16_t c) {
    if (mode == kNoFilter) return true;
    if (c == 8 || c == u'.') return true;
    switch (mode) {
        case kDigits:
            if (c >= 0x80) return false;
            return IsAsciiDigit(c) || allowOtherAscii;
        case kPrintable:
            if (c >= 0x80) return false;
            return IsAsciiGraphic(c) || allowOtherAscii;
        default:
            return true;
    }
}

bool BypassesTypingFilter(char16_t c) { return c < 0x20 || c == 0x7F; }

Text FilterText(int mode, bool allowOtherAscii, const Text& text) {
    Text kept;
    kept.reserve(text.size());
    for (char16_t c : text)
        if (IsCharAllowed(mode, allowOtherAscii, c)) kept.push_back(c);
    return kept;
}

}  // namespace editfilter
