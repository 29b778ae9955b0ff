#include "system/Tools.h"

Text CTools::AddressToText(uint32_t address) const {
    Text out;
    for (int shift = 24; shift >= 0; shift -= 8) {
        if (!out.empty()) out += u'.';
        out += text::Decimal((address >> shift) & 0xFF);
    }
    return out;
}

bool CTools::TextToAddress(const Text& text, uint32_t* address) const {
    uint32_t value = 0;
    std::size_t i = 0;
    for (int field = 0; field < 4; ++field) {
        if (field > 0 && (i >= text.size() || text[i++] != u'.')) return false;
        uint32_t number = 0;
        std::size_t digits = 0;
        for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9' && digits < 4; ++i, ++digits)
            number = number * 10 + static_cast<uint32_t>(text[i] - u'0');
        if (digits == 0 || digits > 3 || number > 255) return false;
        value = value << 8 | number;
    }
    if (i != text.size()) return false;
    *address = value;
    return true;
}
