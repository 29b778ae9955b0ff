#include <gtest/gtest.h>

#include "service/ClientAdmission.h"
#include "service/PipeSecurity.h"
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

}  // namespace
