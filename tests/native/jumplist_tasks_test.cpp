#include <gtest/gtest.h>

#include "tests/native/Ip.h"

#include "app/JumpListTasks.h"
#include "profile/ProfileDescription.h"

#include "tests/native/NamedProfile.h"

namespace {


TEST(JumpListTasks, TwoProfilesGiveTwoTasksNamedByPosition) {
    CProfileCollection profiles;
    profiles.Add(NamedProfile(u"A", 2, u"LAN"));
    profiles.Add(NamedProfile(u"B", -1, u"LAN"));
    const std::vector<JumpListTask> tasks = ProfileTasks(profiles);
    ASSERT_EQ(tasks.size(), 2u);
    EXPECT_EQ(text::ToUtf8(tasks[0].title), "A");
    EXPECT_EQ(text::ToUtf8(tasks[0].arguments), "/RunProfile1");
    EXPECT_EQ(tasks[0].icon, -165);
    EXPECT_EQ(text::ToUtf8(tasks[1].title), "B");
    EXPECT_EQ(text::ToUtf8(tasks[1].arguments), "/RunProfile2");
    EXPECT_EQ(tasks[1].icon, -163);
    EXPECT_EQ(text::ToUtf8(tasks[0].description),
              "ネットワーク接続名\r\n  LAN\r\nTCP/IP設定\r\n  接続方法：DHCP接続\r\n  DNSサーバ取得方法：自動取得\r\n");
}

TEST(JumpListTasks, ArgumentsFollowPositionsNotIdentifiersAfterARemoval) {
    CProfileCollection profiles;
    for (const char16_t* name : {u"A", u"B", u"C"}) profiles.Add(NamedProfile(name, 0, u"LAN"));
    CProfileData b;
    profiles.GetByPosition(1, &b);
    profiles.Remove(b);
    profiles.Add(NamedProfile(u"D", 5, u"LAN"));  // identifier 4, third position
    const std::vector<JumpListTask> tasks = ProfileTasks(profiles);
    ASSERT_EQ(tasks.size(), 3u);
    EXPECT_EQ(text::ToUtf8(tasks[1].title), "C");
    EXPECT_EQ(text::ToUtf8(tasks[1].arguments), "/RunProfile2");
    EXPECT_EQ(text::ToUtf8(tasks[2].arguments), "/RunProfile3");
    EXPECT_EQ(tasks[2].icon, -168);
}

TEST(JumpListTasks, OnlyTheFirstTwelveProfilesGetATask) {
    CProfileCollection profiles;
    for (int i = 0; i < 14; ++i) profiles.Add(NamedProfile(u"P", 0, u"LAN"));
    const std::vector<JumpListTask> tasks = ProfileTasks(profiles);
    ASSERT_EQ(tasks.size(), 12u);
    EXPECT_EQ(text::ToUtf8(tasks.back().arguments), "/RunProfile12");
    EXPECT_TRUE(ProfileTasks(CProfileCollection()).empty());
}

TEST(JumpListTasks, IconOutsideTheSixCountsAsTheFirst) {
    EXPECT_EQ(ProfileTaskIcon(0), -163);
    EXPECT_EQ(ProfileTaskIcon(5), -168);
    EXPECT_EQ(ProfileTaskIcon(6), -163);
    EXPECT_EQ(ProfileTaskIcon(-1), -163);
}

TEST(JumpListTasks, EditToolTaskAndItsPath) {
    const JumpListTask tool = EditToolTask();
    EXPECT_EQ(text::ToUtf8(tool.title), "Relabrin");
    EXPECT_EQ(text::ToUtf8(tool.description), "Relabrin");
    EXPECT_EQ(tool.arguments, u"");
    EXPECT_EQ(tool.icon, -128);
    EXPECT_EQ(text::ToUtf8(EditToolPath(u"C:\\Program Files\\Ortivo\\Tolvik_Network.exe")),
              "C:\\Program Files\\Ortivo\\Tolvik_EditProfile.exe");
    EXPECT_EQ(text::ToUtf8(EditToolPath(u"C:Tolvik_Network.exe")), "C:Tolvik_EditProfile.exe");
    EXPECT_EQ(text::ToUtf8(EditToolPath(u"Tolvik_Network.exe")), "Tolvik_EditProfile.exe");
}

std::string TaskDescription(const CProfileData& p) { return text::ToUtf8(ComposeTaskDescription(p)); }

TEST(TaskDescription, ConnectionLineIsCutAfterTwentyCharacters) {
    const std::string tail = "TCP/IP設定\r\n  接続方法：DHCP接続\r\n  DNSサーバ取得方法：自動取得\r\n";
    EXPECT_EQ(TaskDescription(NamedProfile(u"x", 0, u"1234567890123456")),
              "ネットワーク接続名\r\n  1234567890123456\r\n" + tail);
    // 17 characters: the two blanks, the name and the line's carriage return.
    EXPECT_EQ(TaskDescription(NamedProfile(u"x", 0, u"12345678901234567")),
              "ネットワーク接続名\r\n  12345678901234567\r...\r\n" + tail);
    EXPECT_EQ(TaskDescription(NamedProfile(u"x", 0, u"ローカル エリア接続 ワイヤレス 2")),
              "ネットワーク接続名\r\n  ローカル エリア接続 ワイヤレス 2...\r\n" + tail);
    EXPECT_EQ(TaskDescription(NamedProfile(u"x", 0, u"")), "ネットワーク接続名\r\n  \r\n" + tail);
}

TEST(TaskDescription, FixedAddressAndManualDns) {
    CProfileData p = NamedProfile(u"x", 0, u"LAN");
    p.Record().ipMode = 1;
    p.Record().ipAddress = Ip(192, 168, 1, 10);
    p.Record().subnetMask = Ip(255, 255, 255, 0);
    p.Record().defaultGateway = Ip(192, 168, 1, 1);
    p.Record().dnsMode = 1;
    p.Record().preferredDns = Ip(8, 8, 8, 8);
    p.Record().alternateDns = Ip(1, 1, 1, 1);
    const std::string head = "ネットワーク接続名\r\n  LAN\r\nTCP/IP設定\r\n  接続方法：固定IP接続\r\n    IPアドレス：192.168.1.10\r\n"
                             "    サブネットマスク：255.255.255.0\r\n";
    EXPECT_EQ(TaskDescription(p), head +
                                      "    デフォルトゲートウェイ：192.168.1.1\r\n  DNSサーバ取得方法：手動設定\r\n"
                                      "    優先DNS：8.8.8.8\r\n    代替DNS：1.1.1.1\r\n");
    p.Record().defaultGateway = 0;
    p.Record().alternateDns = 0;
    EXPECT_EQ(TaskDescription(p), head +
                                      "    デフォルトゲートウェイ：\r\n  DNSサーバ取得方法：手動設定\r\n"
                                      "    優先DNS：8.8.8.8\r\n    代替DNS：\r\n");
    p.Record().preferredDns = 0;
    p.Record().alternateDns = Ip(1, 1, 1, 1);  // not looked at without a preferred server
    EXPECT_EQ(TaskDescription(p),
              head + "    デフォルトゲートウェイ：\r\n  DNSサーバ取得方法：手動設定\r\n    設定なし\r\n");
    p.Record().ipMode = 2;  // only 1 means a fixed address
    p.Record().dnsMode = 2;
    EXPECT_EQ(TaskDescription(p),
              "ネットワーク接続名\r\n  LAN\r\nTCP/IP設定\r\n  接続方法：DHCP接続\r\n  DNSサーバ取得方法：自動取得\r\n");
}

TEST(ProfileDescriptionSections, FullLabelsAndUncutSections) {
    CProfileData p = NamedProfile(u"x", 0, u"12345678901234567890");
    p.SetText(ProfileText::adapterDescription, u"Intel(R) Ethernet");
    p.Record().dnsMode = 1;
    p.Record().preferredDns = Ip(10, 0, 0, 1);
    EXPECT_EQ(text::ToUtf8(description::ConnectionSection(p)), "ネットワーク接続名\r\n  12345678901234567890\r\n");
    EXPECT_EQ(text::ToUtf8(description::AdapterSection(p)), "ネットワークアダプタ\r\n  Intel(R) Ethernet\r\n");
    EXPECT_EQ(text::ToUtf8(description::DnsLines(p, description::DnsLabels::Full)),
              "  DNSサーバ取得方法：手動設定\r\n    優先DNSサーバ：10.0.0.1\r\n    代替DNSサーバ：\r\n");
}

}  // namespace
