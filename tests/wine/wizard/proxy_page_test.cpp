// The proxy page and its detail dialog in the real Tolvik_Network.exe: the
// modes, Next by the completeness of the stored details, the checks of OK,
// the same-proxy copy, Cancel, what reaches the data file, and a profile
// made here and applied.
#include <gtest/gtest.h>

#include "framework/win/PropertySheet.h"
#include "framework/win/WideText.h"
#include "profile/ProfileDescription.h"
#include "resources/resource.h"
#include "switching/ProxyComposition.h"
#include "tests/wine/support/MainWindowDriver.h"
#include "tests/wine/support/InternetSettings.h"
#include "tests/wine/support/TestSupport.h"
#include "tests/wine/support/WizardDriver.h"

namespace {

using testsupport::Narrow;

// The detail dialog: server and port of HTTP, Secure, FTP, Gopher, Socks.
constexpr int kServer[] = {IDC_PROXY_SETTING_HTTP, IDC_PROXY_SETTING_SECURE, IDC_PROXY_SETTING_FTP,
                           IDC_PROXY_SETTING_GOPHER, IDC_PROXY_SETTING_SOCKS};
constexpr int kPort[] = {IDC_PROXY_SETTING_HTTP_PORT, IDC_PROXY_SETTING_SECURE_PORT, IDC_PROXY_SETTING_FTP_PORT,
                         IDC_PROXY_SETTING_GOPHER_PORT, IDC_PROXY_SETTING_SOCKS_PORT};
enum { kHttp, kSecure, kFtp, kGopher, kSocks };

class ProxyPage : public ::testing::Test {
protected:
    // A new profile named `name`, on the proxy page.
    void OpenProxyPage(const std::wstring& name) {
        ASSERT_TRUE(app_.WriteDataFile({L"既存"}));
        ASSERT_TRUE(app_.StartToMain());
        ASSERT_TRUE(wizard_.Open(IDC_MAIN_ADD, name));
        ASSERT_NE(wizard_.Next(3), nullptr);
        ASSERT_NE(wizard_.Item(IDC_PROXY_USE), nullptr) << "not on the proxy page";
    }

    bool NextEnabled() const { return IsWindowEnabled(wizard_.Button(ID_WIZNEXT)) != FALSE; }

    // "詳細設定"; the dialog is shown once the program has handled all it was asked before.
    HWND OpenDetails() { return details_ = wizard_.OpenProxyDetails(); }
    HWND Item(int id) const { return GetDlgItem(details_, id); }
    gui::Outcome EndDetails(int button) {
        const gui::Outcome clicked = gui::Click(Item(button));
        return clicked ? gui::WaitForWindowGone(details_) : clicked;
    }
    void TypeRow(int protocol, const std::wstring& server, const std::wstring& port) {
        EXPECT_TRUE(gui::ReplaceText(Item(kServer[protocol]), server));
        EXPECT_TRUE(gui::ReplaceText(Item(kPort[protocol]), port));
    }

    // Registers the profile; returns once the program has handled it (row
    // added, data file written, both in one handler).
    void Finish() {
        ASSERT_NE(GetDlgItem(wizard_.Next(4), IDC_CONFIRM_ADAPTER), nullptr) << "not on the confirmation page";
        const int rows = gui::ListViewCount(app_.List());
        ASSERT_TRUE(wizard_.Finish());
        ASSERT_TRUE(app_.WaitForRows(rows + 1));
    }

    // The profile as the program wrote it into the data file.
    CProfileData Stored(const std::wstring& name) const {
        std::vector<CProfileData> profiles;
        EXPECT_TRUE(app_.ReadProfiles(&profiles));
        for (const CProfileData& profile : profiles)
            if (profile.GetText(ProfileText::profileName) == T(name)) return profile;
        ADD_FAILURE() << "no profile " << Narrow(name) << " in the data file";
        return CProfileData();
    }

    CInternetSettingsGuard internet_;  // no current proxy for a new profile to take over
    MainWindowDriver app_;
    WizardDriver wizard_{app_};
    HWND details_ = nullptr;
};

TEST_F(ProxyPage, ModesChecksOfOkSameProxyCancelAndTheStoredDetails) {
    ASSERT_NO_FATAL_FAILURE(OpenProxyPage(L"プロキシ"));
    // A new profile leaves the proxy unchanged.
    EXPECT_TRUE(gui::IsChecked(wizard_.Item(IDC_PROXY_KEEP)));
    EXPECT_FALSE(gui::IsChecked(wizard_.Item(IDC_PROXY_NONE)));
    EXPECT_FALSE(gui::IsChecked(wizard_.Item(IDC_PROXY_USE)));
    EXPECT_FALSE(IsWindowEnabled(wizard_.Item(IDC_PROXY_SUMMARY)));
    EXPECT_FALSE(IsWindowEnabled(wizard_.Item(IDC_PROXY_DETAILS)));
    EXPECT_TRUE(NextEnabled());
    EXPECT_EQ(gui::ControlsOutside(wizard_.Page()), std::vector<int>{}) << "cut off by the wizard";

    // Using a proxy with nothing configured: no Next.
    ASSERT_TRUE(gui::Click(wizard_.Item(IDC_PROXY_USE)));
    EXPECT_TRUE(gui::WaitUntil([&] { return !NextEnabled(); }));
    EXPECT_TRUE(gui::WaitUntil([&] { return IsWindowEnabled(wizard_.Item(IDC_PROXY_DETAILS)) != FALSE; }));

    // The summary is rewritten only when the dialog ends with 1; the probe text shows whether it was.
    const std::wstring probe = L"probe";
    ASSERT_TRUE(wizard_.SetText(IDC_PROXY_SUMMARY, probe));
    ASSERT_NE(OpenDetails(), nullptr);
    EXPECT_FALSE(IsWindowVisible(Item(kServer[kGopher])));
    EXPECT_FALSE(IsWindowVisible(Item(kPort[kGopher])));
    EXPECT_TRUE(IsWindowVisible(Item(kServer[kSocks])));
    ASSERT_TRUE(EndDetails(IDCANCEL));  // empty: 2
    ASSERT_NE(OpenDetails(), nullptr);
    EXPECT_EQ(gui::WindowText(wizard_.Item(IDC_PROXY_SUMMARY)), probe);

    // The checks of OK, with their messages and focus.
    ASSERT_TRUE(gui::Click(Item(IDOK)));
    app_.ExpectBox(L"プロキシアドレスを入力してください。", gui::BoxIcon::Error);
    EXPECT_TRUE(gui::WaitForFocus(Item(kServer[kHttp])));
    ASSERT_TRUE(gui::ReplaceText(Item(kServer[kHttp]), L"127.0.0.1"));
    ASSERT_TRUE(gui::Click(Item(IDOK)));
    app_.ExpectBox(L"HTTPプロキシサーバのポート番号が不正です。\r\n1～65535の値を入力してください。", gui::BoxIcon::Error);
    EXPECT_TRUE(gui::WaitForFocus(Item(kPort[kHttp])));

    // Cancel on complete fields ends with 1 but stores nothing: the page
    // goes by the stored details, so Next stays off.
    ASSERT_TRUE(gui::ReplaceText(Item(kPort[kHttp]), L"8080"));
    ASSERT_TRUE(EndDetails(IDCANCEL));
    EXPECT_TRUE(gui::WaitForText(wizard_.Item(IDC_PROXY_SUMMARY), L""));
    ASSERT_NE(OpenDetails(), nullptr);
    EXPECT_FALSE(NextEnabled());
    EXPECT_EQ(gui::WindowText(Item(kServer[kHttp])), L"");

    // The same proxy for all: HTTP copied into Secure and FTP, Socks emptied, the rows disabled.
    TypeRow(kHttp, L"127.0.0.1", L"8080");
    TypeRow(kSocks, L"127.0.0.9", L"1080");
    ASSERT_TRUE(gui::Click(Item(IDC_PROXY_SETTING_SAME_FOR_ALL)));
    for (int p : {kSecure, kFtp}) {
        EXPECT_TRUE(gui::WaitForText(Item(kServer[p]), L"127.0.0.1")) << p;
        EXPECT_TRUE(gui::WaitForText(Item(kPort[p]), L"8080")) << p;
    }
    EXPECT_TRUE(gui::WaitForText(Item(kServer[kSocks]), L""));
    EXPECT_TRUE(gui::WaitForText(Item(kPort[kSocks]), L""));
    for (int p : {kSecure, kFtp, kGopher, kSocks}) {
        EXPECT_FALSE(IsWindowEnabled(Item(kServer[p]))) << p;
        EXPECT_FALSE(IsWindowEnabled(Item(kPort[p]))) << p;
    }

    // A script with spaces around it, 1,500 characters of exceptions, the local bypass.
    ASSERT_TRUE(gui::ReplaceText(Item(IDC_PROXY_SETTING_SCRIPT), L"  http://127.0.0.1/proxy.pac  "));
    std::wstring exceptions;
    for (int i = 0; exceptions.size() < 1500; ++i) exceptions += L"host" + std::to_wstring(i) + L".example.test\r\n";
    exceptions.resize(1500);
    ASSERT_TRUE(gui::PasteText(Item(IDC_PROXY_SETTING_EXCEPTIONS), exceptions));
    ASSERT_EQ(gui::WindowText(Item(IDC_PROXY_SETTING_EXCEPTIONS)), exceptions);
    ASSERT_TRUE(gui::Click(Item(IDC_PROXY_SETTING_BYPASS_LOCAL)));
    gui::SaveScreenshot(details_, L"wizard_proxy_details.png");
    ASSERT_TRUE(EndDetails(IDOK));

    // The summary of what was stored, and Next.
    CProfileData expected;
    expected.Record().sameProxyForAll = 1;
    expected.Record().autoConfigEnabled = 1;
    expected.Record().bypassLocal = 1;
    expected.Record().httpProxyPort = 8080;
    expected.SetText(ProfileText::autoConfigUrl, u"http://127.0.0.1/proxy.pac");
    expected.SetText(ProfileText::httpProxyServer, u"127.0.0.1");
    expected.SetText(ProfileText::proxyBypassList, T(exceptions));
    const std::wstring summary = W(ComposeProxySummary(expected, 8));
    EXPECT_TRUE(gui::WaitForText(wizard_.Item(IDC_PROXY_SUMMARY), summary)) << Narrow(gui::WindowText(wizard_.Item(IDC_PROXY_SUMMARY)));
    EXPECT_NE(summary.find(L"  プロキシ：127.0.0.1:8080\r\n  例外プロキシアドレス：\r\n    host0.example.test\r\n    host1"),
              std::wstring::npos);
    EXPECT_TRUE(gui::WaitUntil([&] { return NextEnabled(); }));
    EXPECT_TRUE(IsWindowEnabled(wizard_.Item(IDC_PROXY_SUMMARY)));
    gui::SaveScreenshot(wizard_.Sheet(), L"wizard_proxy_page.png");

    // Cancel right after opening on a complete configuration: 1.
    ASSERT_TRUE(wizard_.SetText(IDC_PROXY_SUMMARY, probe));
    ASSERT_NE(OpenDetails(), nullptr);
    ASSERT_TRUE(EndDetails(IDCANCEL));
    EXPECT_TRUE(gui::WaitForText(wizard_.Item(IDC_PROXY_SUMMARY), summary));

    // The data file holds it all, the exceptions whole; a new start shows them again.
    ASSERT_NO_FATAL_FAILURE(Finish());
    const CProfileData stored = Stored(L"プロキシ");
    const ProfileRecord& r = stored.Record();
    EXPECT_EQ(r.proxyMode, 2);
    EXPECT_EQ(r.autoConfigEnabled, 1);
    EXPECT_EQ(Narrow(W(stored.GetText(ProfileText::autoConfigUrl))), "http://127.0.0.1/proxy.pac");
    EXPECT_EQ(r.sameProxyForAll, 1);
    for (const TextField* f : {&ProfileText::httpProxyServer, &ProfileText::secureProxyServer, &ProfileText::ftpProxyServer})
        EXPECT_EQ(Narrow(W(stored.GetText(*f))), "127.0.0.1");
    EXPECT_EQ((int32_t{r.httpProxyPort}), 8080);
    EXPECT_EQ((int32_t{r.secureProxyPort}), 8080);
    EXPECT_EQ((int32_t{r.ftpProxyPort}), 8080);
    EXPECT_EQ(stored.GetText(ProfileText::socksProxyServer), u"");
    EXPECT_EQ(W(stored.GetText(ProfileText::proxyBypassList)), exceptions);
    EXPECT_EQ(r.bypassLocal, 1);

    gui::Click(app_.Control(IDOK));
    ASSERT_TRUE(app_.WaitForExit());
    ASSERT_TRUE(app_.StartToMain());
    ASSERT_TRUE(gui::ListViewSelect(app_.List(), 1));
    EXPECT_TRUE(gui::WaitUntil([&] { return app_.Description().find(summary.substr(summary.find(L"  自動"))) != std::wstring::npos; }))
        << Narrow(app_.Description());
}

TEST_F(ProxyPage, PerProtocolProfileMadeHereIsApplied) {
    ASSERT_TRUE(testsupport::InstallApplierStandIns());
    ASSERT_NO_FATAL_FAILURE(OpenProxyPage(L"拠点"));
    ASSERT_TRUE(gui::Click(wizard_.Item(IDC_PROXY_USE)));
    ASSERT_NE(OpenDetails(), nullptr);
    TypeRow(kHttp, L"127.0.0.1", L"8080");
    TypeRow(kSecure, L"127.0.0.2", L"8443");
    TypeRow(kFtp, L"127.0.0.3", L"2121");
    TypeRow(kSocks, L"127.0.0.4", L"1080");
    ASSERT_TRUE(gui::ReplaceText(Item(IDC_PROXY_SETTING_EXCEPTIONS), L"*.example.test;10.*"));
    ASSERT_TRUE(gui::Click(Item(IDC_PROXY_SETTING_BYPASS_LOCAL)));
    ASSERT_TRUE(EndDetails(IDOK));
    EXPECT_TRUE(gui::WaitForText(wizard_.Item(IDC_PROXY_SUMMARY),
                                 L"Internet Explorerプロキシ設定\r\n  自動構成スクリプトアドレス：<設定なし>\r\n"
                                 L"  HTTPプロキシ：127.0.0.1:8080\r\n  Secureプロキシ：127.0.0.2:8443\r\n"
                                 L"  FTPプロキシ：127.0.0.3:2121\r\n  Socksプロキシ：127.0.0.4:1080\r\n"
                                 L"  例外プロキシアドレス：\r\n    *.example.test;10.*\r\n"
                                 L"  ローカルアドレスにはプロキシを使用しない\r\n"))
        << Narrow(gui::WindowText(wizard_.Item(IDC_PROXY_SUMMARY)));
    ASSERT_NO_FATAL_FAILURE(Finish());

    ASSERT_TRUE(app_.Apply(1));
    app_.ExpectBox(L"ネットワーク設定の切替えを完了しました。", gui::BoxIcon::Information);
    // Wine keeps the flags and the server list; the exceptions, which it
    // drops, are what the composition hands over for the stored profile.
    EXPECT_EQ(InternetSetting(L"ProxyEnable"), L"1");
    EXPECT_EQ(InternetSetting(L"ProxyServer"),
              L"socks=127.0.0.4:1080 https=127.0.0.2:8443 http=127.0.0.1:8080 ftp=127.0.0.3:2121");
    const proxy::Options written = proxy::Compose(Stored(L"拠点"), 8);
    EXPECT_EQ(W(written.server), InternetSetting(L"ProxyServer"));
    EXPECT_EQ(Narrow(W(written.bypass)), "*.example.test;10.* <local>");
    EXPECT_EQ(written.autoConfigUrl, u"");
}

}  // namespace
