#include <gtest/gtest.h>

#include "applier/SettingRequest.h"
#include "service/ClientAdmission.h"
#include "service/DataFileProtection.h"
#include "service/ManagedApproval.h"
#include "tests/native/NamedProfile.h"
#include "service/PipeSecurity.h"
#include "service/RequestEvent.h"
#include "service/RequestLogLimit.h"
#include "service/SessionTurns.h"

namespace {

// The pipe admits every interactive user whatever the package chose; the
// service decides who among them it serves.
TEST(SettingPipeSddl, SystemAndAdministratorsAllInteractiveUsersMessagesOnly) {
    EXPECT_EQ(u"D:P(A;;FA;;;SY)(A;;FA;;;BA)(A;;0x12018b;;;IU)", SettingPipeSddl());
}

TEST(ClientAdmission, OnlyTheStringInteractiveAdmitsEveryInteractiveUser) {
    const struct {
        std::optional<Text> choice;
        ServiceUsers users;
    } rows[] = {{u"interactive", ServiceUsers::Interactive}, {u"INTERACTIVE", ServiceUsers::Interactive},
                {std::nullopt, ServiceUsers::Operators},     {u"", ServiceUsers::Operators},
                {u"operators", ServiceUsers::Operators},     {u"interactive ", ServiceUsers::Operators},
                {u"interactiv", ServiceUsers::Operators},    {u"everyone", ServiceUsers::Operators}};
    for (const auto& row : rows)
        EXPECT_EQ(row.users, UsersFromChoice(row.choice)) << (row.choice ? text::ToUtf8(*row.choice) : "none");
}

TEST(ClientAdmission, ThePolicysUsersWinOverThePackagesWhereThereIsAPolicyValue) {
    const RegistrySetting none, interactive{{}, Text(u"interactive")}, operators{{}, Text(u"operators")}, number{1u, {}};
    EXPECT_EQ(ServiceUsers::Interactive, UsersFromSettings(none, interactive));
    EXPECT_EQ(ServiceUsers::Operators, UsersFromSettings(operators, interactive));
    EXPECT_EQ(ServiceUsers::Interactive, UsersFromSettings(interactive, operators));
    EXPECT_EQ(ServiceUsers::Operators, UsersFromSettings(number, interactive)) << "a policy of another type";
}

// An operator's unelevated program carries the group deny-only: the full
// token linked to it counts.
TEST(ClientAdmission, OperatorsByTheirTokenOrTheLinkedOneAndAlwaysInteractive) {
    const struct {
        ServiceUsers users;
        ClientMembership client;
        bool admitted;
    } rows[] = {
        {ServiceUsers::Interactive, {true, false, false}, true},
        {ServiceUsers::Interactive, {false, true, true}, false},
        {ServiceUsers::Operators, {true, false, false}, false},
        {ServiceUsers::Operators, {true, true, false}, true},
        {ServiceUsers::Operators, {true, false, true}, true},
        {ServiceUsers::Operators, {false, true, true}, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << (row.users == ServiceUsers::Operators) << row.client.interactive
                                        << row.client.operators << row.client.linkedOperators);
        EXPECT_EQ(row.admitted, IsClientAdmitted(row.users, row.client));
    }
}

// One request queued or running per session, served in the order they
// came; a few connections per session.
TEST(SessionTurns, OneRequestPerSessionInTheOrderTheyCame) {
    CSessionTurns turns;
    const uint64_t first = turns.Enter(1);
    const uint64_t other = turns.Enter(2);
    ASSERT_NE(0u, first);
    ASSERT_NE(0u, other);
    EXPECT_EQ(0u, turns.Enter(1)) << "a second request of session 1 while its first waits";
    EXPECT_TRUE(turns.IsTurn(first));
    EXPECT_FALSE(turns.IsTurn(other));
    turns.Leave(first);
    const uint64_t again = turns.Enter(1);
    EXPECT_TRUE(turns.IsTurn(other)) << "session 2 before session 1's next request";
    EXPECT_FALSE(turns.IsTurn(again));
    turns.Leave(again);  // gave up waiting
    turns.Leave(other);
    EXPECT_TRUE(turns.IsTurn(turns.Enter(1)));

    for (std::size_t i = 0; i < CSessionTurns::kConnectionsPerSession; ++i) EXPECT_TRUE(turns.Connect(7));
    EXPECT_FALSE(turns.Connect(7));
    EXPECT_TRUE(turns.Connect(8));
    turns.Disconnect(7);
    EXPECT_TRUE(turns.Connect(7));
}

// Owned by SYSTEM, Administrators or TrustedInstaller, and changed by
// nobody else: the package's managed folder is; its default folder is not.
TEST(DataFileProtection, OnlySystemAdministratorsAndTrustedInstallerOwnAndChange) {
    const Text ti = u"S-1-5-80-956008885-3425930513-3319585337-2512034330-1513930148";
    const struct {
        Text sddl;
        bool protectedData;
    } rows[] = {
        {u"O:SYD:PAI(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;FRFX;;;BU)", true},
        {u"O:BAG:SYD:PAI(A;OICIID;FA;;;SY)(A;OICIID;FA;;;BA)(A;OICIID;0x1200a9;;;BU)", true},
        {u"O:" + ti + u"D:(A;;FA;;;" + ti + u")(A;;FR;;;WD)(A;OICIIO;GA;;;CO)", true},
        {u"O:SYD:(D;;FA;;;BU)(A;;FA;;;SY)", true},
        {u"O:SYD:PAI(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;FRFWFXSD;;;BU)", false},  // the default folder
        {u"O:S-1-5-21-1-2-3-1001D:(A;;FA;;;SY)", false},                            // a user owns it
        {u"O:SYD:(A;;0x120089;;;BU)(A;;0x4;;;AU)", false},                            // append data
        {u"O:SYD:(A;;SD;;;IU)", false},  {u"O:SYD:(A;;WD;;;BU)", false},  {u"O:SYD:(A;;WO;;;BU)", false},
        {u"O:SYD:(A;;0x40;;;BU)", false},  // delete a file in the folder
        {u"O:SYD:(A;;GW;;;WD)", false},  {u"O:SYD:(A;;GA;;;BU)", false},
        {u"O:SYD:NO_ACCESS_CONTROL", false}, {u"O:SY", false}, {u"", false}, {u"O:SYD:(A;;ZZ;;;BU)", false},
        {u"O:SYD:(A;;FA;;;SY", false}};
    for (const auto& row : rows) EXPECT_EQ(row.protectedData, IsProtectedSddl(row.sddl)) << text::ToUtf8(row.sddl);
}

// A request is one of the file's profiles byte for byte, its additions
// included, its profileId aside.
TEST(ManagedApproval, TheFilesProfileAndItsAdditionsByteForByteOutsideItsIdentifier) {
    CProfileCollection file;
    CProfileData office = NamedProfile(u"Office"), home = NamedProfile(u"Home");
    home.Extension().moreDnsServers = {0xC6336435};
    file.Add(office);
    file.Add(home);
    const auto approved = [&](const CProfileData& request) {
        const std::vector<uint8_t> message = SettingRequestMessage(request);
        return IsProfileOfFile(message.data(), message.size(), file);
    };
    CProfileData request = home;
    request.Record().profileId = 42;
    EXPECT_TRUE(approved(request));
    request.Extension().moreDnsServers = {0xC6336436};
    EXPECT_FALSE(approved(request)) << "another addition";
    request.Extension() = {};
    EXPECT_FALSE(approved(request)) << "the additions left out";
    request = home;
    request.Record().preferredDns ^= 1;
    EXPECT_FALSE(approved(request));
    EXPECT_FALSE(IsProfileOfFile(office.Bytes(), kProfileRecordSize - 1, file));
    EXPECT_FALSE(IsProfileOfFile(office.Bytes(), kProfileRecordSize, CProfileCollection()));
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
