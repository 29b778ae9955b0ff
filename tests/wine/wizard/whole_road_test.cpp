// The whole road of a profile, as a user takes it in the real
// Tolvik_Network.exe: all eight wizard pages, the profile stored and
// described in the main dialog, then applied. Everything it reaches is the
// test's own: a seeded adapter whose gateway is 127.0.0.1, a seeded
// printer, the recording netsh/ipconfig stand-ins, a loopback HTTP server
// (check URL and HTTP proxy), and a recording stand-in as the application.
#include <gtest/gtest.h>

#include <algorithm>

#include "framework/win/PropertySheet.h"
#include "resources/resource.h"
#include "system/win/AdapterDiscovery.h"
#include "tests/wine/support/MainWindowDriver.h"
#include "tests/wine/support/LoopbackHttpServer.h"
#include "tests/wine/support/InternetSettings.h"
#include "tests/wine/support/PrinterSeed.h"
#include "tests/wine/support/RegistrySeed.h"
#include "tests/wine/support/TestSupport.h"
#include "tests/wine/support/WizardDriver.h"

namespace {

using testsupport::Ip;
using testsupport::Narrow;

const wchar_t kConnection[] = L"本社 LAN";
const wchar_t kPrinter[] = L"Ortivo 本社プリンタ";
const wchar_t kOptions[] = L"/profile 本社 --quiet";

class WholeRoad : public ::testing::Test {
protected:
    // The chosen adapter looks as the applier would leave it: a fixed
    // address whose gateway is this machine.
    void SetUp() override {
        const std::vector<AdapterInfo> adapters = ListAdapters();
        ASSERT_FALSE(adapters.empty());
        adapter_ = adapters.front();
        ASSERT_TRUE(seed_.SetString(HKEY_LOCAL_MACHINE, AdapterConnectionKey(adapter_.guid), L"Name", kConnection));
        const std::wstring tcpip = AdapterTcpipKey(adapter_.guid);
        ASSERT_TRUE(seed_.SetDword(HKEY_LOCAL_MACHINE, tcpip, L"EnableDHCP", 0));
        ASSERT_TRUE(seed_.SetMultiString(HKEY_LOCAL_MACHINE, tcpip, L"IPAddress", {L"10.1.2.3"}));
        ASSERT_TRUE(seed_.SetMultiString(HKEY_LOCAL_MACHINE, tcpip, L"SubnetMask", {L"255.0.0.0"}));
        ASSERT_TRUE(seed_.SetMultiString(HKEY_LOCAL_MACHINE, tcpip, L"DefaultGateway", {L"127.0.0.1"}));
        ASSERT_TRUE(SeedPrinter(seed_, kPrinter));
        ASSERT_TRUE(PreserveDefaultPrinter(seed_));
        ASSERT_TRUE(testsupport::InstallStandIn(testsupport::SystemDir() + L"\\netsh.exe"));
        ASSERT_TRUE(testsupport::InstallStandIn(testsupport::SystemDir() + L"\\ipconfig.exe"));
        folder_ = testsupport::TempDir();
        application_ = folder_ + L"\\接続後アプリ.exe";
        ASSERT_TRUE(testsupport::InstallStandIn(application_));
        testsupport::UseRecordLog(folder_ + L"\\record.log");
        ASSERT_TRUE(server_.Started());
        ASSERT_TRUE(app_.WriteDataFile({L"既存"}));
    }
    // The page as the user sees it, kept as a test artifact; then Next.
    void Next(const wchar_t* screenshot) {
        wizard_.ExpectShownInFull(screenshot);
        ASSERT_TRUE(wizard_.Turn(ID_WIZNEXT)) << Narrow(screenshot);
    }

    void FillTcpIp() {
        ASSERT_TRUE(wizard_.Tick(IDC_TCP_FIXED_IP));
        ASSERT_TRUE(wizard_.Enabled(IDC_TCP_IP_ADDRESS));
        gui::SetIpAddress(wizard_.Item(IDC_TCP_IP_ADDRESS), Ip(10, 1, 2, 3));
        gui::SetIpAddress(wizard_.Item(IDC_TCP_SUBNET_MASK), Ip(255, 0, 0, 0));
        gui::SetIpAddress(wizard_.Item(IDC_TCP_GATEWAY), Ip(127, 0, 0, 1));
        gui::SetIpAddress(wizard_.Item(IDC_TCP_PREFERRED_DNS), Ip(10, 1, 2, 53));
        gui::SetIpAddress(wizard_.Item(IDC_TCP_ALTERNATE_DNS), Ip(10, 1, 2, 54));
    }

    // One proxy per protocol; HTTP goes through the test's server.
    void FillProxy() {
        ASSERT_TRUE(wizard_.Tick(IDC_PROXY_USE));
        const HWND details = wizard_.OpenProxyDetails();
        ASSERT_NE(details, nullptr);
        const struct {
            int server, port;
            std::wstring host, number;
        } rows[] = {{IDC_PROXY_SETTING_HTTP, IDC_PROXY_SETTING_HTTP_PORT, L"127.0.0.1", std::to_wstring(server_.Port())},
                    {IDC_PROXY_SETTING_SECURE, IDC_PROXY_SETTING_SECURE_PORT, L"127.0.0.2", L"8443"},
                    {IDC_PROXY_SETTING_FTP, IDC_PROXY_SETTING_FTP_PORT, L"127.0.0.3", L"2121"},
                    {IDC_PROXY_SETTING_SOCKS, IDC_PROXY_SETTING_SOCKS_PORT, L"127.0.0.4", L"1080"}};
        for (const auto& row : rows) {
            ASSERT_TRUE(gui::ReplaceText(GetDlgItem(details, row.server), row.host));
            ASSERT_TRUE(gui::ReplaceText(GetDlgItem(details, row.port), row.number));
        }
        ASSERT_TRUE(gui::ReplaceText(GetDlgItem(details, IDC_PROXY_SETTING_EXCEPTIONS), L"*.example.test"));
        ASSERT_TRUE(gui::Click(GetDlgItem(details, IDC_PROXY_SETTING_BYPASS_LOCAL)));
        ASSERT_TRUE(gui::WaitUntil([&] { return gui::IsChecked(GetDlgItem(details, IDC_PROXY_SETTING_BYPASS_LOCAL)); }));
        gui::SaveScreenshot(details, L"whole_road_4_proxy_details.png");
        ASSERT_TRUE(gui::Click(GetDlgItem(details, IDOK)));
        ASSERT_TRUE(gui::WaitForWindowGone(details));
    }

    std::wstring ExpectedSummary() const {
        const std::wstring port = std::to_wstring(server_.Port());
        return L"TCP/IP設定\r\n  接続方法：固定IP接続\r\n    IPアドレス：10.1.2.3\r\n    サブネットマスク：255.0.0.0\r\n"
               L"    デフォルトゲートウェイ：127.0.0.1\r\n  DNSサーバ取得方法：手動設定\r\n"
               L"    優先DNSサーバ：10.1.2.53\r\n    代替DNSサーバ：10.1.2.54\r\n"
               L"Internet Explorerプロキシ設定\r\n  自動構成スクリプトアドレス：<設定なし>\r\n"
               L"  HTTPプロキシ：127.0.0.1:" + port + L"\r\n  Secureプロキシ：127.0.0.2:8443\r\n"
               L"  FTPプロキシ：127.0.0.3:2121\r\n  Socksプロキシ：127.0.0.4:1080\r\n"
               L"  例外プロキシアドレス：\r\n    *.example.test\r\n  ローカルアドレスにはプロキシを使用しない\r\n"
               L"ネットワーク接続確認\r\n  デフォルトゲートウェイにPingで通信確認を行う\r\n"
               L"  プロキシ設定確認の通信確認を行う\r\n    " + server_.Url(L"/status/200") + L"\r\n"
               L"ネットワーク設定後アプリケーションの起動の設定\r\n  起動アプリケーション：" + application_ + L" " +
               kOptions + L"\r\nデフォルトプリンタの設定\r\n  デフォルトプリンタ：" + kPrinter + L"\r\n";
    }

    CRegistrySeed seed_;
    CInternetSettingsGuard internet_;
    CLoopbackHttpServer server_;
    MainWindowDriver app_;
    WizardDriver wizard_{app_};
    AdapterInfo adapter_;
    std::wstring folder_, application_;
};

TEST_F(WholeRoad, AProfileMadeOnEveryPageIsStoredDescribedAndApplied) {
    ASSERT_TRUE(app_.StartToMain());
    ASSERT_TRUE(wizard_.Open(IDC_MAIN_ADD, L"本社"));
    ASSERT_NO_FATAL_FAILURE(Next(L"whole_road_1_name.png"));
    ASSERT_TRUE(gui::ListViewSelect(wizard_.Item(IDC_ADAPTER_LIST), 0));
    ASSERT_NO_FATAL_FAILURE(Next(L"whole_road_2_connection.png"));
    ASSERT_NO_FATAL_FAILURE(FillTcpIp());
    ASSERT_NO_FATAL_FAILURE(Next(L"whole_road_3_tcpip.png"));
    ASSERT_NO_FATAL_FAILURE(FillProxy());
    ASSERT_NO_FATAL_FAILURE(Next(L"whole_road_4_proxy.png"));
    ASSERT_TRUE(wizard_.Tick(IDC_NETWORKCHK_PING));
    ASSERT_TRUE(wizard_.Tick(IDC_NETWORKCHK_URL));
    wizard_.SetText(IDC_NETWORKCHK_URL_EDIT, server_.Url(L"/status/200"));
    ASSERT_NO_FATAL_FAILURE(Next(L"whole_road_5_checks.png"));
    ASSERT_TRUE(wizard_.Tick(IDC_RUNAPP_RUN));
    wizard_.SetText(IDC_RUNAPP_PATH, application_);
    wizard_.SetText(IDC_RUNAPP_ARGUMENTS, kOptions);
    ASSERT_NO_FATAL_FAILURE(Next(L"whole_road_6_application.png"));
    ASSERT_TRUE(wizard_.Tick(IDC_PRINTER_SET));
    const std::vector<std::wstring> printers = SpoolerPrinterNames();
    const auto printer = std::find(printers.begin(), printers.end(), kPrinter);
    ASSERT_NE(printer, printers.end());
    ASSERT_TRUE(gui::ListViewSelect(wizard_.Item(IDC_PRINTER_LIST), static_cast<int>(printer - printers.begin())));
    ASSERT_NO_FATAL_FAILURE(Next(L"whole_road_7_printer.png"));

    // The confirmation page shows the whole profile.
    EXPECT_EQ(Narrow(gui::WindowText(wizard_.Item(IDC_CONFIRM_NAME))), "本社");
    EXPECT_EQ(gui::WindowText(wizard_.Item(IDC_CONFIRM_CONNECTION)), kConnection);
    EXPECT_EQ(gui::WindowText(wizard_.Item(IDC_CONFIRM_ADAPTER)), adapter_.description);
    const std::wstring summary = gui::WindowText(wizard_.Item(IDC_CONFIRM_SUMMARY));
    EXPECT_EQ(Narrow(summary), Narrow(ExpectedSummary()));
    wizard_.ExpectShownInFull(L"whole_road_8_confirmation.png");
    ASSERT_TRUE(wizard_.Finish());

    // Stored and described.
    ASSERT_TRUE(app_.WaitForRows(2));
    ASSERT_TRUE(gui::ListViewSelect(app_.List(), 1));
    EXPECT_TRUE(gui::WaitUntil([&] {
        return app_.Description() == L"ネットワーク接続名\r\n  " + std::wstring(kConnection) +
                                         L"\r\nネットワークアダプタ\r\n  " + adapter_.description + L"\r\n" + summary;
    })) << Narrow(app_.Description());
    gui::SaveScreenshot(app_.Main(), L"whole_road_main_dialog.png");

    // Applied: every step runs, against loopback only, and succeeds.
    ASSERT_TRUE(gui::ClickWhenEnabled(app_.Control(IDC_MAIN_APPLY)));
    app_.ExpectBox(L"ネットワーク設定の切替えを完了しました。", gui::BoxIcon::Information);
    std::vector<std::string> commands;
    const testsupport::StandInRecord* started = nullptr;
    // The application was started before the message; it writes its record
    // in its own time.
    std::vector<testsupport::StandInRecord> records;
    gui::WaitUntil([&] {
        records = testsupport::ReadRecords();
        for (const testsupport::StandInRecord& r : records)
            if (_wcsicmp(r.module.c_str(), application_.c_str()) == 0) return true;
        return false;
    });
    for (const testsupport::StandInRecord& r : records) {
        if (_wcsicmp(r.module.c_str(), application_.c_str()) == 0) started = &r;
        else commands.push_back(Narrow(r.commandLine));
    }
    const std::string name = "name=\"" + Narrow(kConnection) + "\"";
    EXPECT_EQ(commands, (std::vector<std::string>{
                            "netsh interface ipv4 set address " + name + " source=static 10.1.2.3 255.0.0.0 127.0.0.1 0",
                            "netsh interface ipv4 set dns " + name + " source=static addr=10.1.2.53 register=PRIMARY",
                            "netsh interface ipv4 add dns " + name + " addr=10.1.2.54 index=2"}));
    EXPECT_EQ(InternetSetting(L"ProxyEnable"), L"1");
    EXPECT_EQ(Narrow(InternetSetting(L"ProxyServer")),
              Narrow(L"socks=127.0.0.4:1080 https=127.0.0.2:8443 http=127.0.0.1:" + std::to_wstring(server_.Port()) +
                     L" ftp=127.0.0.3:2121"));
    EXPECT_EQ(Narrow(DefaultPrinterName()), Narrow(kPrinter));
    const std::vector<std::string> requests = server_.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests.front().rfind("GET ", 0), 0u) << requests.front();
    EXPECT_NE(requests.front().find("/status/200 HTTP/1.1\r\n"), std::string::npos) << requests.front();
    ASSERT_NE(started, nullptr) << "the application did not start";
    EXPECT_NE(Narrow(started->commandLine).find(Narrow(kOptions)), std::string::npos) << Narrow(started->commandLine);
    EXPECT_EQ(_wcsicmp(started->directory.c_str(), folder_.c_str()), 0) << Narrow(started->directory);
}

}  // namespace
