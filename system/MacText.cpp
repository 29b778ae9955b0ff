#include "system/MacText.h"

namespace mactext {

namespace {

char16_t HexDigit(unsigned value) {
    return static_cast<char16_t>(value < 10 ? u'0' + value : u'A' + (value - 10));
}

char16_t UpperAscii(char16_t c) {
    return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

bool IsHexDigit(char16_t c) {
    const char16_t upper = UpperAscii(c);
    return (upper >= u'0' && upper <= u'9') || (upper >= u'A' && upper <= u'F');
}

}  // namespace

bool IsWellFormed(const Text& text, std::size_t bytes) {
    constexpr std::size_t kPerByte = 3;  // two digits and a separator
    if (bytes == 0 || text.size() != bytes * kPerByte - 1) return false;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (i % kPerByte == 2 ? text[i] != u':' : !IsHexDigit(text[i])) return false;
    return true;
}

Text Format(const uint8_t* bytes, std::size_t length) {
    Text out;
    for (std::size_t i = 0; i < length; ++i) {
        if (i != 0) out += u':';
        out += HexDigit(bytes[i] >> 4);
        out += HexDigit(bytes[i] & 0x0F);
    }
    return out;
}

bool Same(const Text& a, const Text& b) {
    if (a.empty() || a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (UpperAscii(a[i]) != UpperAscii(b[i])) return false;
    return true;
}

std::size_t FindLast(const std::vector<Text>& texts, const Text& mac) {
    std::size_t found = static_cast<std::size_t>(-1);
    for (std::size_t i = 0; i < texts.size(); ++i)
        if (Same(texts[i], mac)) found = i;
    return found;
}

}  // namespace mactext
