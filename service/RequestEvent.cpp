#include "service/RequestEvent.h"

#include "profile/ProfileData.h"

namespace {

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

std::array<Text, 3> RequestEventStrings(const Text& user, const uint8_t* message, std::size_t size,
                                        SettingReply reply) {
    return {user, ConnectionName(message, size), ReplyNumber(reply)};
}
