#include <gtest/gtest.h>

#include "system/MacText.h"

namespace {

TEST(MacText, BytesBecomeUpperCaseHexPairsJoinedByColons) {
    const uint8_t six[] = {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E};
    EXPECT_EQ(Text(u"00:1A:2B:3C:4D:5E"), mactext::Format(six, 6));

    const uint8_t eight[] = {0xFF, 0x01, 0xab, 0x10, 0x00, 0x9f, 0xC0, 0x0e};
    const Text long_ = mactext::Format(eight, 8);
    EXPECT_EQ(Text(u"FF:01:AB:10:00:9F:C0:0E"), long_);
    EXPECT_EQ(23u, long_.size());

    EXPECT_EQ(Text(), mactext::Format(nullptr, 0));
}

TEST(MacText, ComparisonIgnoresLetterCaseOnly) {
    EXPECT_TRUE(mactext::Same(u"00:1A:2B:3C:4D:5E", u"00:1A:2B:3C:4D:5E"));
    EXPECT_TRUE(mactext::Same(u"00:1a:2b:3c:4d:5e", u"00:1A:2B:3C:4D:5E"));
    EXPECT_FALSE(mactext::Same(u"00:1A:2B:3C:4D:5F", u"00:1A:2B:3C:4D:5E"));
    EXPECT_FALSE(mactext::Same(u"00:1A:2B:3C:4D:5E ", u"00:1A:2B:3C:4D:5E"));
    EXPECT_FALSE(mactext::Same(u"00-1A-2B-3C-4D-5E", u"00:1A:2B:3C:4D:5E"));
    // '@' and '`' sit just before 'A' and 'a': they must not fold onto letters.
    EXPECT_FALSE(mactext::Same(u"@", u"`"));
}

TEST(MacText, EmptyTextMatchesNothing) {
    EXPECT_FALSE(mactext::Same(u"", u""));
    EXPECT_FALSE(mactext::Same(u"", u"00:1A:2B:3C:4D:5E"));
}

TEST(MacText, LastOfSeveralEqualAddressesCounts) {
    const std::vector<Text> macs{u"00:1A:2B:3C:4D:5E", u"02:00:00:00:00:01", u"00:1a:2b:3c:4d:5e", u""};
    EXPECT_EQ(2u, mactext::FindLast(macs, u"00:1A:2B:3C:4D:5E"));
    EXPECT_EQ(1u, mactext::FindLast(macs, u"02:00:00:00:00:01"));
    EXPECT_EQ(static_cast<std::size_t>(-1), mactext::FindLast(macs, u"02:00:00:00:00:02"));
    EXPECT_EQ(static_cast<std::size_t>(-1), mactext::FindLast(macs, u""));
    EXPECT_EQ(static_cast<std::size_t>(-1), mactext::FindLast({}, u"00:1A:2B:3C:4D:5E"));
}

}  // namespace
