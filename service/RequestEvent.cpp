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
    if (message == nullptr || size != kSettingRequestSize) return Text();
    CProfileData record;
    record.LoadBytes(message);
    return record.GetText(ProfileText::connectionName);
}

Text ReplyNumber(SettingReply reply) {
    switch (reply) {
        case SettingReply::Applied: return u"0";
        case SettingReply::Refused: return u"1";
        default: return u"-1";
    }
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

std::array<Text, 3> RequestEventStrings(const Text& user, const uint8_t* message, std::size_t size,
                                        SettingReply reply) {
    return {user, EscapedForLog(ConnectionName(message, size)), ReplyNumber(reply)};
}
