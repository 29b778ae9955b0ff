#include <gtest/gtest.h>

#include "service/PipeSecurity.h"
#include "service/RequestEvent.h"
#include "service/RequestLogLimit.h"

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

TEST(SettingRequestEvent, CharactersThatChangeHowTheLogReadsAreEscaped) {
    const struct {
        const char16_t* name;
        const char16_t* logged;
    } rows[] = {{u"LAN\r\n偽の行", u"LAN\\u000D\\u000A偽の行"},
                {u"a\tb", u"a\\u0009b"},
                {u"\u202Egnp.exe", u"\\u202Egnp.exe"},
                {u"\u200F\u2066x\u0085", u"\\u200F\\u2066x\\u0085"},
                {u"\u001F ~\u007F\u009F\u00A0\u061C\u2029\u202A\u2069\u206A",
                 u"\\u001F ~\\u007F\\u009F\u00A0\\u061C\\u2029\\u202A\\u2069\u206A"},
                {u"ローカル エリア接続", u"ローカル エリア接続"}};
    for (const auto& row : rows) EXPECT_EQ(row.logged, EscapedForLog(row.name)) << text::ToUtf8(row.logged);
}

// Session 7's window opens at 1,000 ms and is over at 61,000 ms.
TEST(SettingRequestLogLimit, ThirtyRequestsOfASessionAMinuteThenOneSummaryOfTheRest) {
    CRequestLogLimit limit;
    for (int i = 0; i < 30; ++i) EXPECT_TRUE(limit.Admit(7, 1000 + i).logged) << i;
    const struct {
        uint32_t session;
        uint64_t ms;
        uint32_t leftOut;
        bool logged;
    } rows[] = {{7, 2000, 0, false}, {7, 60999, 0, false}, {8, 60999, 0, true},
                {7, 61000, 2, true}, {7, 61001, 0, true},  {8, 61000, 0, true}};
    for (const auto& row : rows) {
        const LogDecision decision = limit.Admit(row.session, row.ms);
        EXPECT_EQ(row.leftOut, decision.leftOut) << row.session << " at " << row.ms;
        EXPECT_EQ(row.logged, decision.logged) << row.session << " at " << row.ms;
    }
}

}  // namespace
