#include <gtest/gtest.h>

#include <cstring>

#include "profile/ProfileCollection.h"
#include "profile/ProfileData.h"
#include "system/Tools.h"

#include "tests/native/NamedProfile.h"

namespace {

TEST(ProfileRecord, ResetGivesTheDefaultsAndZeroElsewhere) {
    CProfileData p;
    p.Record().ipMode = 1;
    p.Record().reserved934 = 7;
    p.SetText(ProfileText::printerName, u"x");
    p.Reset();

    CProfileData expected;  // built byte by byte
    uint8_t bytes[kProfileRecordSize] = {};
    const int32_t icon = -1;
    std::memcpy(bytes + 76, &icon, 4);
    bytes[5040] = 1;
    const char16_t* url = kDefaultCheckUrl;
    for (std::size_t i = 0; url[i] != 0; ++i) std::memcpy(bytes + 19450 + 2 * i, &url[i], 2);
    EXPECT_EQ(0, std::memcmp(bytes, p.Bytes(), kProfileRecordSize));
    EXPECT_EQ(-1, p.Record().iconIndex);
    EXPECT_EQ(1, p.Record().proxyMode);
    EXPECT_EQ(Text(kDefaultCheckUrl), p.GetText(ProfileText::checkUrl));
}

TEST(ProfileRecord, AddressIsStoredWithTheFirstOctetMostSignificantLittleEndian) {
    CProfileData p;
    p.Record().ipAddress = (192u << 24) | (168u << 16) | (1u << 8) | 10u;
    const uint8_t* b = p.Bytes() + 913;
    EXPECT_EQ(0x0A, b[0]);
    EXPECT_EQ(0x01, b[1]);
    EXPECT_EQ(0xA8, b[2]);
    EXPECT_EQ(0xC0, b[3]);
}

TEST(ProfileRecord, TextWritesClearTheWholeFieldAndCutAtTheLimit) {
    CProfileData p;
    p.SetText(ProfileText::macAddress, u"00:11:22:33:44:55:66:77");  // 23 chars, limit 20
    EXPECT_EQ(u"00:11:22:33:44:55:66", p.GetText(ProfileText::macAddress));
    p.SetText(ProfileText::macAddress, u"AB");
    const uint8_t* field = p.Bytes() + 864;
    for (std::size_t i = 4; i < 48; ++i) EXPECT_EQ(0, field[i]) << "byte " << i;
    // Odd offsets work like any other.
    p.SetText(ProfileText::httpProxyServer, u"proxy.example");
    EXPECT_EQ(u"proxy.example", p.GetText(ProfileText::httpProxyServer));
    EXPECT_EQ('p', p.Bytes()[5041]);
}

TEST(ProfileRecord, CopyTakesEveryByteIncludingTheIdentifier) {
    CProfileData a = NamedProfile(u"A");
    a.Record().profileId = 42;
    a.Record().socksProxyPort = 1080;
    CProfileData b;
    b.CopyFrom(a);
    EXPECT_EQ(0, std::memcmp(a.Bytes(), b.Bytes(), kProfileRecordSize));
}

TEST(ProfileCollection, IdentifiersCountUpAndAreNeverReused) {
    CProfileCollection c;
    EXPECT_EQ(1, c.Add(NamedProfile(u"A")));
    EXPECT_EQ(2, c.Add(NamedProfile(u"B")));
    EXPECT_EQ(3, c.Add(NamedProfile(u"C")));
    CProfileData second;
    ASSERT_EQ(0, c.GetByPosition(1, &second));
    EXPECT_EQ(2, c.Remove(second));
    EXPECT_EQ(4, c.Add(NamedProfile(u"D")));
    CProfileData out;
    ASSERT_EQ(0, c.GetByPosition(1, &out));
    EXPECT_EQ(u"C", out.GetText(ProfileText::profileName));
    ASSERT_EQ(0, c.GetByPosition(2, &out));
    EXPECT_EQ(4, out.Record().profileId);
    EXPECT_EQ(-1, c.GetByPosition(3, &out)) << "position equal to count";
    EXPECT_EQ(-1, c.GetByPosition(-1, &out));
    EXPECT_EQ(-1, c.GetByPosition(0, nullptr));

    // A collection to reload into continues the count and starts empty.
    CProfileCollection reloaded = c.EmptyContinuation();
    EXPECT_EQ(0, reloaded.Count());
    EXPECT_EQ(5, reloaded.Add(NamedProfile(u"E")));
}

TEST(ProfileCollection, MoveKeepsIdentifiersWithTheirRecords) {
    CProfileCollection c;
    for (const char16_t* name : {u"A", u"B", u"C"}) c.Add(NamedProfile(name));
    EXPECT_EQ(0, c.Move(0, 2));
    EXPECT_EQ(-1, c.Move(0, 3));
    EXPECT_EQ(-1, c.Move(-1, 0));
    Text order;
    CProfileData out;
    for (int i = 0; c.GetByPosition(i, &out) == 0; ++i)
        order += out.GetText(ProfileText::profileName) + text::Decimal(out.Record().profileId);
    EXPECT_EQ(u"B2C3A1", order);
}

TEST(ProfileCollection, UnknownIdentifiersChangeNothing) {
    CProfileCollection c;
    CProfileData ghost = NamedProfile(u"ghost");
    ghost.Record().profileId = 9;
    EXPECT_EQ(-1, c.Edit(ghost)) << "empty list";
    EXPECT_EQ(-1, c.Remove(ghost));
    c.Add(NamedProfile(u"A"));
    EXPECT_EQ(-1, c.Edit(ghost));
    EXPECT_EQ(-1, c.Remove(ghost));
    EXPECT_EQ(-1, c.FindById(9, &ghost));
    EXPECT_EQ(1, c.Count());
    CProfileData a;
    ASSERT_EQ(0, c.FindById(1, &a));
    EXPECT_EQ(u"A", a.GetText(ProfileText::profileName));
}

TEST(ProfileCollection, EditOverwritesTheWholeRecord) {
    CProfileCollection c;
    c.Add(NamedProfile(u"A"));
    CProfileData edited = NamedProfile(u"A2");
    edited.Record().profileId = 1;
    edited.Record().dnsMode = 1;
    EXPECT_EQ(1, c.Edit(edited));
    CProfileData out;
    c.FindById(1, &out);
    EXPECT_EQ(0, std::memcmp(edited.Bytes(), out.Bytes(), kProfileRecordSize));
}

TEST(Tools, AddressToText) {
    CTools tools;
    EXPECT_EQ(u"192.168.1.1", tools.AddressToText(0xC0A80101u));
    EXPECT_EQ(u"255.255.255.0", tools.AddressToText(0xFFFFFF00u));
    EXPECT_EQ(u"10.0.0.1", tools.AddressToText(0x0A000001u));
    EXPECT_EQ(u"0.0.0.0", tools.AddressToText(0));
}

TEST(Tools, TextToAddressTakesOnlyFourDottedNumbers) {
    CTools tools;
    uint32_t address = 7;
    EXPECT_TRUE(tools.TextToAddress(u"192.168.1.10", &address));
    EXPECT_EQ(0xC0A8010Au, address);
    EXPECT_TRUE(tools.TextToAddress(u"0.0.0.0", &address));
    EXPECT_EQ(0u, address);
    for (const char16_t* bad : {u"", u"1.2.3", u"1.2.3.4.", u"1.2.3.256", u"1..2.3", u" 1.2.3.4", u"1.2.3.4 ",
                                u"0001.2.3.4", u"+1.2.3.4", u"a.b.c.d", u"1.2.3.4.5"}) {
        address = 7;
        EXPECT_FALSE(tools.TextToAddress(bad, &address)) << text::ToUtf8(bad);
        EXPECT_EQ(7u, address);
    }
}

}  // namespace
