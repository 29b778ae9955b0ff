#include <gtest/gtest.h>

#include "system/ManagedProfiles.h"

namespace {

// The policy, where present, wins; without it the package's value counts.
TEST(ManagedProfiles, ThePolicyWinsOverThePackagesValue) {
    const RegistrySetting none, one{1u, {}}, zero{0u, {}}, text1{{}, Text(u"1")}, text0{{}, Text(u"0")},
        two{2u, {}};
    const struct {
        const char* what;
        RegistrySetting policy, package;
        bool managed;
    } rows[] = {{"nothing", none, none, false},           {"package 1", none, one, true},
                {"package \"1\"", none, text1, true},     {"package \"0\"", none, text0, false},
                {"package 2", none, two, false},          {"policy 1", one, none, true},
                {"policy 0 over package 1", zero, text1, false}, {"policy 1 over package 0", one, text0, true},
                {"policy \"1\" is no number", text1, none, false}, {"policy 2", two, one, false}};
    for (const auto& row : rows) EXPECT_EQ(row.managed, IsManagedProfiles(row.policy, row.package)) << row.what;
}

}  // namespace
