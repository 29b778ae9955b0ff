#include <gtest/gtest.h>

#include "resources/resource.h"
#include "tests/native/NamedProfile.h"
#include "wizard/NamePageRules.h"

namespace {

using namepage::CheckNamePage;
using namepage::NameCheck;

CProfileCollection Stored(std::initializer_list<const char16_t*> names) {
    CProfileCollection profiles;
    for (const char16_t* name : names) profiles.Add(NamedProfile(name));  // identifiers 1, 2, ...
    return profiles;
}

TEST(NamePageRules, ChecksRunInOrderAndStopAtTheFirstFailure) {
    const CProfileCollection profiles = Stored({u"Office", u"Home"});
    EXPECT_EQ(CheckNamePage(u"", -1, profiles, 0), NameCheck::NameEmpty);
    EXPECT_EQ(CheckNamePage(u"Home", -1, profiles, 0), NameCheck::NameDuplicate);
    EXPECT_EQ(CheckNamePage(u"Cafe", -1, profiles, 0), NameCheck::NoIcon);
    EXPECT_EQ(CheckNamePage(u"Cafe", 0, profiles, 0), NameCheck::Passed);
    EXPECT_EQ(CheckNamePage(u"Cafe", 5, CProfileCollection(), 0), NameCheck::Passed);
}

TEST(NamePageRules, DuplicateIsAnExactMatchWithAnotherIdentifier) {
    const CProfileCollection profiles = Stored({u"Office", u"Home"});
    // A new profile clashes with any stored one of that name.
    EXPECT_TRUE(namepage::IsNameTaken(profiles, u"Office", 0));
    // An edited profile keeps its own name, but may not take another's.
    EXPECT_FALSE(namepage::IsNameTaken(profiles, u"Office", 1));
    EXPECT_TRUE(namepage::IsNameTaken(profiles, u"Home", 1));
    // Letter case and a trailing space make different names; blanks are a name.
    EXPECT_FALSE(namepage::IsNameTaken(profiles, u"office", 0));
    EXPECT_FALSE(namepage::IsNameTaken(profiles, u"Office ", 0));
    EXPECT_EQ(CheckNamePage(u"   ", 0, profiles, 0), NameCheck::Passed);
}

TEST(NamePageRules, IconOutsideTheSixOpensWithTheFirst) {
    EXPECT_EQ(namepage::InitialIcon(-1), 0);
    EXPECT_EQ(namepage::InitialIcon(0), 0);
    EXPECT_EQ(namepage::InitialIcon(5), 5);
    EXPECT_EQ(namepage::InitialIcon(6), 0);
    EXPECT_EQ(namepage::InitialIcon(-2147483647 - 1), 0);
}

TEST(NamePageRules, MessagesOfTheChecks) {
    EXPECT_EQ(namepage::NameCheckMessage(NameCheck::NameEmpty), IDS_NAME_EMPTY);
    EXPECT_EQ(namepage::NameCheckMessage(NameCheck::NameDuplicate), IDS_NAME_DUPLICATE);
    EXPECT_EQ(namepage::NameCheckMessage(NameCheck::NoIcon), IDS_ICON_EMPTY);
    EXPECT_EQ(namepage::NameCheckMessage(NameCheck::Passed), 0);
}

}  // namespace
