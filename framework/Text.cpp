#include "framework/Text.h"

namespace text {

Text Decimal(long long value) {
    const bool negative = value < 0;
    unsigned long long v = negative ? 0ULL - static_cast<unsigned long long>(value)
                                    : static_cast<unsigned long long>(value);
    Text digits;
    do {
        digits.insert(digits.begin(), static_cast<char16_t>(u'0' + v % 10));
        v /= 10;
    } while (v != 0);
    if (negative) digits.insert(digits.begin(), u'-');
    return digits;
}

std::size_t BoundedLength(const char16_t* s, std::size_t limit) {
    std::size_t n = 0;
    while (n < limit && s[n] != 0) ++n;
    return n;
}

Text FromUtf8(const std::string& s) {
    Text out;
    for (std::size_t i = 0; i < s.size();) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        char32_t cp;
        int extra;
        if (c < 0x80) { cp = c; extra = 0; }
        else if ((c >> 5) == 0x6) { cp = c & 0x1F; extra = 1; }
        else if ((c >> 4) == 0xE) { cp = c & 0x0F; extra = 2; }
        else if ((c >> 3) == 0x1E) { cp = c & 0x07; extra = 3; }
        else { cp = 0xFFFD; extra = 0; }
        ++i;
        for (int k = 0; k < extra && i < s.size(); ++k, ++i)
            cp = (cp << 6) | (static_cast<unsigned char>(s[i]) & 0x3F);
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (cp >> 10));
            out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
    }
    return out;
}

std::string ToUtf8(const Text& s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        char32_t cp = s[i];
        if (cp >= 0xD800 && cp < 0xDC00 && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] < 0xE000) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (s[i + 1] - 0xDC00);
            ++i;
        }
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (cp >> 18));
            out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    return out;
}

Text ReplaceAll(Text s, const Text& what, const Text& with) {
    if (what.empty()) return s;
    for (std::size_t pos = s.find(what); pos != Text::npos; pos = s.find(what, pos + with.size()))
        s.replace(pos, what.size(), with);
    return s;
}

Text FillTokens(const Text& format, const std::vector<Text>& values) {
    Text out;
    std::size_t next = 0;
    for (std::size_t i = 0; i < format.size(); ++i) {
        const bool token = format[i] == u'%' && i + 1 < format.size() && (format[i + 1] == u's' || format[i + 1] == u'd');
        if (token && next < values.size()) {
            out += values[next++];
            ++i;
        } else {
            out += format[i];
        }
    }
    return out;
}

Text TrimSpaces(const Text& s) {
    const std::size_t first = s.find_first_not_of(u' ');
    if (first == Text::npos) return Text();
    const std::size_t last = s.find_last_not_of(u' ');
    return s.substr(first, last - first + 1);
}

Text UpperAscii(Text s) {
    for (char16_t& c : s)
        if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
    return s;
}

Text LowerHex(const uint8_t* bytes, std::size_t size) {
    static const char16_t kHex[] = u"0123456789abcdef";
    Text digits;
    for (std::size_t i = 0; i < size; ++i) {
        digits += kHex[bytes[i] >> 4];
        digits += kHex[bytes[i] & 0x0F];
    }
    return digits;
}

int32_t ReadDecimal(const Text& s) {
    std::size_t i = 0;
    while (i < s.size() && (s[i] == u' ' || (s[i] >= u'\t' && s[i] <= u'\r'))) ++i;
    const bool negative = i < s.size() && s[i] == u'-';
    if (i < s.size() && (s[i] == u'-' || s[i] == u'+')) ++i;
    long long value = 0;
    for (; i < s.size() && s[i] >= u'0' && s[i] <= u'9'; ++i)
        if (value <= 0x80000000LL) value = value * 10 + (s[i] - u'0');
    if (negative) value = -value;
    if (value > 0x7FFFFFFFLL) return 0x7FFFFFFF;
    if (value < -0x80000000LL) return -0x7FFFFFFF - 1;
    return static_cast<int32_t>(value);
}

}  // namespace text
