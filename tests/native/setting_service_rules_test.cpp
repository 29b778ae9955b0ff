#include <gtest/gtest.h>

#include <vector>

#include "profile/ProfileData.h"
#include "service/PipeSecurity.h"
#include "service/RequestEvent.h"

namespace {

TEST(SettingPipeSddl, InteractiveUsersUnlessThePackageChoseTheOperators) {
    const Text interactive = u"D:P(A;;FA;;;SY)(A;;FA;;;BA)(A;;0x12018b;;;IU)";
    const Text operators = u"D:P(A;;FA;;;SY)(A;;FA;;;BA)(A;;0x12018b;;;NO)";
    const struct {
        const char16_t* choice;
        const Text& sddl;
    } rows[] = {{u"", interactive},         {u"interactive", interactive}, {u"operators", operators},
                {u"OPERATORS", operators},  {u"operators ", interactive},  {u"everyone", interactive},
                {u"operator", interactive}};
    for (const auto& row : rows) EXPECT_EQ(row.sddl, SettingPipeSddl(row.choice)) << text::ToUtf8(row.choice);
}

TEST(RequestEvent, TheUserTheRecordsConnectionAndTheReplyNumber) {
    CProfileData record;
    record.Record().profileId = 2;
    record.SetText(ProfileText::connectionName, u"ローカル エリア接続");
    std::vector<uint8_t> bytes(record.Bytes(), record.Bytes() + kSettingRequestSize);
    using Strings = std::array<Text, 3>;
    EXPECT_EQ((Strings{u"taro", u"ローカル エリア接続", u"0"}),
              RequestEventStrings(u"taro", bytes.data(), bytes.size(), SettingReply::Applied));
    EXPECT_EQ((Strings{u"taro", u"ローカル エリア接続", u"-1"}),
              RequestEventStrings(u"taro", bytes.data(), bytes.size(), SettingReply::Failed));
    bytes.push_back(0);
    EXPECT_EQ((Strings{u"taro", u"", u"1"}),
              RequestEventStrings(u"taro", bytes.data(), bytes.size(), SettingReply::Refused))
        << "no record: no connection";
    EXPECT_EQ((Strings{u"?", u"", u"1"}), RequestEventStrings(u"?", nullptr, 0, SettingReply::Refused));
}

}  // namespace
