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

// A text of the record the message holds; empty for a message that is no record.
Text RecordText(const uint8_t* message, std::size_t size, const TextField& field) {
    if (message == nullptr || size < kSettingRequestSize || size > kSettingRequestMaxSize) return Text();
    CProfileData record;
    record.LoadBytes(message);
    return record.GetText(field);
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

std::array<Text, 5> RequestEventStrings(uint32_t processId, uint32_t sessionId, const uint8_t* message,
                                        std::size_t size, SettingReply reply) {
    return {text::Decimal(processId), text::Decimal(sessionId),
            EscapedForLog(RecordText(message, size, ProfileText::profileName)),
            EscapedForLog(RecordText(message, size, ProfileText::connectionName)),
            text::Decimal(static_cast<int32_t>(reply))};
}

std::array<Text, 2> LeftOutEventStrings(uint32_t sessionId, uint32_t count) {
    return {text::Decimal(sessionId), text::Decimal(count)};
}

std::array<Text, 3> SourceImportedEventStrings(const Text& source, const Text& sha256, std::size_t count) {
    return {EscapedForLog(source), sha256, text::Decimal(static_cast<long long>(count))};
}

std::array<Text, 2> SourceRefusedEventStrings(const Text& source, const Text& message) {
    return {EscapedForLog(source), EscapedForLog(text::ReplaceAll(message, u"\r\n", u" "))};
}
