#include "service/RequestEvent.h"

#include "profile/ProfileData.h"

namespace {

bool ChangesHowTheLogReads(char16_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x061C || c == 0x200E || c == 0x200F ||
           (c >= 0x2028 && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

void AppendEscaped(Text& out, char16_t c) {
    static constexpr char16_t kHexDigits[] = u"0123456789ABCDEF";
    out += u"\\u";
    for (int shift = 12; shift >= 0; shift -= 4) out += kHexDigits[(c >> shift) & 0xF];
}

Text ConnectionName(const uint8_t* message, std::size_t size) {
    if (message == nullptr || size < kSettingRequestSize || size > kSettingRequestMaxSize) return Text();
    CProfileData record;
    record.LoadBytes(message);
    return record.GetText(ProfileText::connectionName);
}

}  // namespace

Text EscapedForLog(const Text& s) {
    Text out;
    for (const char16_t c : s) {
        if (ChangesHowTheLogReads(c))
            AppendEscaped(out, c);
        else
            out += c;
    }
    return out;
}

std::array<Text, 4> RequestEventStrings(uint32_t processId, uint32_t sessionId, const uint8_t* message,
                                        std::size_t size, SettingReply reply) {
    return {text::Decimal(processId), text::Decimal(sessionId), EscapedForLog(ConnectionName(message, size)),
            text::Decimal(static_cast<int32_t>(reply))};
}

std::array<Text, 2> LeftOutEventStrings(uint32_t sessionId, uint32_t count) {
    return {text::Decimal(sessionId), text::Decimal(count)};
}
