#include <windows.h>
#include <wininet.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/wine/support/InternetSettings.h"
#include "switching/win/ProxyWriter.h"

// Wine keeps "ProxyEnable" and "ProxyServer" of what the writer hands to
// WinINet (the bypass list and the script address are not stored), so those
// two values are what these tests read back. Every server named here is a
// loopback address.
namespace {

CProfileData Profile(uint8_t mode) {
    CProfileData p;
    p.Record().proxyMode = mode;
    return p;
}

// One proxy server for every protocol, on loopback.
CProfileData OneServer(int32_t port) {
    CProfileData p = Profile(2);
    p.Record().sameProxyForAll = 1;
    p.SetText(ProfileText::httpProxyServer, u"127.0.0.1");
    p.Record().httpProxyPort = port;
    return p;
}

class ProxyWriter : public ::testing::Test {
protected:
    CInternetSettingsGuard guard_;
};

TEST_F(ProxyWriter, OneServerForAllEnablesTheProxy) {
    CProfileData p = OneServer(3128);
    p.SetText(ProfileText::socksProxyServer, u"127.0.0.2");  // not used
    p.Record().socksProxyPort = 1080;
    p.SetText(ProfileText::proxyBypassList, u"*.example.test");
    p.Record().bypassLocal = 1;
    ASSERT_EQ(0, ApplyProxySettings(p, 8));
    EXPECT_EQ(L"1", InternetSetting(L"ProxyEnable"));
    EXPECT_EQ(L"127.0.0.1:3128", InternetSetting(L"ProxyServer"));
}

TEST_F(ProxyWriter, PerProtocolListKeepsItsOrderAndGopherOnVersion6) {
    CProfileData p = Profile(2);
    ProfileRecord& r = p.Record();
    p.SetText(ProfileText::httpProxyServer, u"127.0.0.2");
    r.httpProxyPort = 8080;
    p.SetText(ProfileText::secureProxyServer, u"127.0.0.2");
    r.secureProxyPort = 443;
    p.SetText(ProfileText::ftpProxyServer, u"127.0.0.4");
    r.ftpProxyPort = 21;
    p.SetText(ProfileText::gopherProxyServer, u"127.0.0.3");
    r.gopherProxyPort = 70;
    p.SetText(ProfileText::socksProxyServer, u"127.0.0.1");
    r.socksProxyPort = 1080;
    ASSERT_EQ(0, ApplyProxySettings(p, 6));
    EXPECT_EQ(L"1", InternetSetting(L"ProxyEnable"));
    EXPECT_EQ(L"socks=127.0.0.1:1080 https=127.0.0.2:443 http=127.0.0.2:8080 gopher=127.0.0.3:70 ftp=127.0.0.4:21",
              InternetSetting(L"ProxyServer"));
    ASSERT_EQ(0, ApplyProxySettings(p, 8));
    EXPECT_EQ(L"socks=127.0.0.1:1080 https=127.0.0.2:443 http=127.0.0.2:8080 ftp=127.0.0.4:21",
              InternetSetting(L"ProxyServer"));
}

TEST_F(ProxyWriter, NoProxyTurnsItOffAndKeepsTheStoredServer) {
    CProfileData p = OneServer(8081);
    ASSERT_EQ(0, ApplyProxySettings(p, 8));
    ASSERT_EQ(L"1", InternetSetting(L"ProxyEnable"));

    p.Record().proxyMode = 0;
    ASSERT_EQ(0, ApplyProxySettings(p, 8));
    EXPECT_EQ(L"0", InternetSetting(L"ProxyEnable"));
    EXPECT_EQ(L"127.0.0.1:8081", InternetSetting(L"ProxyServer"));
}

TEST_F(ProxyWriter, LeaveUnchangedWritesNothing) {
    CRegistrySeed seed;
    ASSERT_TRUE(seed.SetDword(HKEY_CURRENT_USER, kInternetSettingsKey, L"ProxyEnable", 1));
    ASSERT_TRUE(seed.SetString(HKEY_CURRENT_USER, kInternetSettingsKey, L"ProxyServer", L"127.0.0.9:9"));
    CProfileData p = OneServer(3128);
    p.Record().proxyMode = 1;
    EXPECT_EQ(1, ApplyProxySettings(p, 8));
    EXPECT_EQ(L"1", InternetSetting(L"ProxyEnable"));
    EXPECT_EQ(L"127.0.0.9:9", InternetSetting(L"ProxyServer"));
}

TEST_F(ProxyWriter, NoServersTurnTheProxyOff) {
    ASSERT_EQ(0, ApplyProxySettings(OneServer(3128), 8));
    ASSERT_EQ(L"1", InternetSetting(L"ProxyEnable"));

    CProfileData p = Profile(2);
    p.Record().autoConfigEnabled = 1;
    p.SetText(ProfileText::autoConfigUrl, u" http://127.0.0.1:9/proxy.pac ");
    ASSERT_EQ(0, ApplyProxySettings(p, 8));
    EXPECT_EQ(L"0", InternetSetting(L"ProxyEnable"));
}

// What the writer hands to WinINet, seen in place of InternetSetOptionW:
// the bypass list and the script address, which Wine does not keep.
struct HandedOver {
    DWORD listSize = 0;
    bool lanConnection = false;
    std::vector<std::pair<DWORD, std::wstring>> options;  // option, text (flags as decimal text)
    std::vector<DWORD> calls;                            // the option of each call, in order
};
HandedOver g_handedOver;

BOOL WINAPI RecordOptions(HINTERNET, DWORD option, LPVOID buffer, DWORD size) {
    g_handedOver.calls.push_back(option);
    if (option != INTERNET_OPTION_PER_CONNECTION_OPTION) return TRUE;
    const auto* list = static_cast<const INTERNET_PER_CONN_OPTION_LISTW*>(buffer);
    g_handedOver.listSize = size;
    g_handedOver.lanConnection = list->dwSize == size && list->pszConnection == nullptr;
    for (DWORD i = 0; i < list->dwOptionCount; ++i) {
        const INTERNET_PER_CONN_OPTIONW& o = list->pOptions[i];
        g_handedOver.options.emplace_back(o.dwOption, o.dwOption == INTERNET_PER_CONN_FLAGS
                                                          ? std::to_wstring(o.Value.dwValue)
                                                          : std::wstring(o.Value.pszValue));
    }
    return TRUE;
}

TEST(ProxyWriterOptions, BypassListAndScriptAddressAreHandedToWinInet) {
    CProfileData p = OneServer(3128);
    p.SetText(ProfileText::proxyBypassList, u"*.example.test;10.*");
    p.Record().bypassLocal = 1;
    p.Record().autoConfigEnabled = 1;
    p.SetText(ProfileText::autoConfigUrl, u"  http://127.0.0.1:9/proxy.pac ");
    using Options = std::vector<std::pair<DWORD, std::wstring>>;
    g_handedOver = HandedOver();
    ASSERT_EQ(0, ApplyProxySettings(p, 8, RecordOptions));
    EXPECT_EQ(g_handedOver.listSize, sizeof(INTERNET_PER_CONN_OPTION_LISTW));
    EXPECT_TRUE(g_handedOver.lanConnection);
    EXPECT_EQ(g_handedOver.options, (Options{{INTERNET_PER_CONN_FLAGS, L"6"},
                                             {INTERNET_PER_CONN_PROXY_SERVER, L"127.0.0.1:3128"},
                                             {INTERNET_PER_CONN_PROXY_BYPASS, L"*.example.test;10.* <local>"},
                                             {INTERNET_PER_CONN_AUTOCONFIG_URL, L"http://127.0.0.1:9/proxy.pac"}}));
    EXPECT_EQ(g_handedOver.calls, (std::vector<DWORD>{INTERNET_OPTION_PER_CONNECTION_OPTION,
                                                      INTERNET_OPTION_SETTINGS_CHANGED}));

    // No proxy: direct, and the script address cleared.
    p.Record().proxyMode = 0;
    g_handedOver = HandedOver();
    ASSERT_EQ(0, ApplyProxySettings(p, 8, RecordOptions));
    EXPECT_EQ(g_handedOver.options, (Options{{INTERNET_PER_CONN_FLAGS, L"1"}, {INTERNET_PER_CONN_AUTOCONFIG_URL, L""}}));
}

}  // namespace
