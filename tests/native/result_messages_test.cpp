#include <gtest/gtest.h>

#include "resources/resource.h"
#include "switching/ResultMessages.h"

namespace {

std::vector<std::vector<int>> Ids(uint32_t word) {
    std::vector<std::vector<int>> out;
    for (const ResultMessage& m : ComposeResultMessages(word)) out.push_back(m.lineIds);
    return out;
}

using L = std::vector<std::vector<int>>;

TEST(ResultMessages, SuccessIsOneInformationMessage) {
    const auto messages = ComposeResultMessages(0);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].lineIds, std::vector<int>{IDS_SWITCH_DONE});
    EXPECT_EQ(messages[0].icon, ResultIcon::Information);
}

TEST(ResultMessages, StepFailuresEachGetABoxInOrder) {
    EXPECT_EQ(Ids(0x0100), (L{{IDS_TCPIP_FAILED}}));
    EXPECT_EQ(Ids(0x0400), (L{{IDS_PRINTER_FAILED}}));
    EXPECT_EQ(Ids(0x0700), (L{{IDS_TCPIP_FAILED}, {IDS_PROXY_FAILED}, {IDS_PRINTER_FAILED}}));
    for (const ResultMessage& m : ComposeResultMessages(0x0F3F)) EXPECT_EQ(m.icon, ResultIcon::Error);
}

TEST(ResultMessages, CheckLinesInTheirOwnOrderInOneBoxAfterTheSteps) {
    EXPECT_EQ(Ids(0x0800 | 0x3F), (L{{IDS_CHECK_ADAPTER, IDS_CHECK_ADDRESS, IDS_CHECK_DHCP, IDS_CHECK_PING,
                                       IDS_CHECK_HTTP}}));
    EXPECT_EQ(Ids(0x0800 | 0x04 | 0x10), (L{{IDS_CHECK_ADAPTER, IDS_CHECK_HTTP}}));
    EXPECT_EQ(Ids(0x0800 | 0x02 | 0x01), (L{{IDS_CHECK_ADDRESS, IDS_CHECK_PING}}));
    EXPECT_EQ(Ids(0x0100 | 0x0800 | 0x20), (L{{IDS_TCPIP_FAILED}, {IDS_CHECK_DHCP}}));
}

TEST(ResultMessages, LinkLocalAndNoAddressGiveOneDhcpLine) {
    EXPECT_EQ(Ids(0x0800 | 0x08 | 0x20), (L{{IDS_CHECK_DHCP}}));
    EXPECT_EQ(Ids(0x0800 | 0x08), (L{{IDS_CHECK_DHCP}}));
    EXPECT_EQ(Ids(0x0800 | 0x20), (L{{IDS_CHECK_DHCP}}));
}

TEST(ResultMessages, CheckBitsWithoutTheChecksBitShowNothing) {
    EXPECT_EQ(Ids(0x0200 | 0x3F), (L{{IDS_PROXY_FAILED}}));
}

TEST(ResultMessages, LinesAreJoinedWithLineBreaks) {
    EXPECT_EQ(JoinMessageLines({u"a", u"b", u"c"}), u"a\r\nb\r\nc");
    EXPECT_EQ(JoinMessageLines({u"a"}), u"a");
    EXPECT_EQ(JoinMessageLines({}), u"");
}

}  // namespace
