#include <gtest/gtest.h>

#include "HostInterfaces.h"
#include "system/win/WMIAccess.h"

namespace {

TEST(WMIAccess, ConnectedAnswerFollowsTheHostInterfaceInEitherCase) {
    CWMIAccess wmi;
    ASSERT_EQ(0, wmi.Connect());
    const std::vector<HostAdapter> adapters = HostAdapters();
    ASSERT_FALSE(adapters.empty());
    int up = 0;
    for (const HostAdapter& h : adapters) {
        if (h.operState != "up" && h.operState != "down") continue;
        const bool expected = h.operState == "up";
        up += expected;
        // Wine's WMI reports the MAC address in lower case; the answer must
        // not depend on that.
        EXPECT_EQ(expected, wmi.IsConnected(h.adapter.macText)) << h.hostMac;
        EXPECT_EQ(expected, wmi.IsConnected(LowerAscii(h.adapter.macText))) << h.hostMac;
    }
    EXPECT_GT(up, 0) << "no connected adapter to check against";
    EXPECT_FALSE(wmi.IsConnected(L"00:00:5E:00:53:FE"));
    EXPECT_FALSE(wmi.IsConnected(L""));
}

TEST(WMIAccess, ReleaseTwiceIsSafeAndAReleasedConnectionAnswersFalse) {
    std::wstring connectedMac;
    for (const HostAdapter& h : HostAdapters())
        if (h.operState == "up") connectedMac = h.adapter.macText;
    ASSERT_FALSE(connectedMac.empty());

    CWMIAccess wmi;
    EXPECT_FALSE(wmi.IsConnected(connectedMac));  // not connected yet
    ASSERT_EQ(0, wmi.Connect());
    EXPECT_TRUE(wmi.IsConnected(connectedMac));
    EXPECT_TRUE(wmi.IsConnected(connectedMac));  // the last enumeration is replaced
    wmi.Release();
    wmi.Release();
    EXPECT_FALSE(wmi.IsConnected(connectedMac));
    ASSERT_EQ(0, wmi.Connect());
    EXPECT_TRUE(wmi.IsConnected(connectedMac));
}  // the destructor releases once more

}  // namespace
