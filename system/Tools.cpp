#include "system/Tools.h"

Text CTools::AddressToText(uint32_t address) const {
    Text out;
    for (int shift = 24; shift >= 0; shift -= 8) {
        if (!out.empty()) out += u'.';
        out += text::Decimal((address >> shift) & 0xFF);
    }
    return out;
}
