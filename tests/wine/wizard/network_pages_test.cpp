// The network connection page and the TCP/IP page in the real
// Tolvik_Network.exe: the adapter list, the settings a new profile takes
// over, the rules of the TCP/IP controls, and a fixed-address profile made
// in the wizard, applied with the recording netsh stand-in, then edited.
#include <windows.h>
#include <winspool.h>

#include <gtest/gtest.h>

#include "framework/win/PropertySheet.h"
#include "framework/win/WideText.h"
#include "resources/resource.h"
#include "system/Tools.h"
#include "system/win/AdapterDiscovery.h"
#include "tests/wine/support/MainWindowDriver.h"
#include "tests/wine/support/PrinterSeed.h"
#include "tests/wine/support/RegistrySeed.h"
#include "tests/wine/support/TestSupport.h"
#include "tests/wine/support/WizardDriver.h"

namespace {

using testsupport::ExpectedText;
using testsupport::Ip;
using testsupport::Narrow;

constexpr wchar_t kPrinter[] = L"Ortivo Test Printer";

std::wstring ConnectionName(size_t row) { return L"テスト接続 " + std::to_wstring(row); }

class NetworkPages : public ::testing::Test {
protected:
    // Every adapter but the first gets a connection name; the chosen one
    // also says that its DNS servers are set ("NameServer" not empty).
    void SetUp() override {
        adapters_ = ListAdapters();
        ASSERT_GE(adapters_.size(), 2u) << "the test needs two of Wine's adapters";
        for (size_t row = 1; row < adapters_.size(); ++row)
            ASSERT_TRUE(seed_.SetString(HKEY_LOCAL_MACHINE, AdapterConnectionKey(adapters_[row].guid), L"Name",
                                        ConnectionName(row)));
        ASSERT_TRUE(seed_.SetString(HKEY_LOCAL_MACHINE, AdapterTcpipKey(adapters_[kChosen].guid), L"NameServer",
                                    L"192.0.2.53"));
        // A switch runs the recording stand-ins, which the program finds through its environment.
        ASSERT_TRUE(testsupport::InstallApplierStandIns());
        ASSERT_TRUE(app_.WriteDataFile({L"既存"}));
    }

    // The wizard on the connection page: "追加" or "編集", then Next.
    void OpenConnectionPage(int button, const std::wstring& name) {
        ASSERT_TRUE(wizard_.Open(button, name));
        ASSERT_TRUE(wizard_.Turn(ID_WIZNEXT));
        ASSERT_NE(wizard_.Item(IDC_ADAPTER_LIST), nullptr);
    }

    DWORD Address(int id, int* filled = nullptr) const {
        DWORD value = 0;
        EXPECT_TRUE(gui::ReadIpAddress(wizard_.Item(id), &value, filled));
        return value;
    }

    // The address, mask, gateway, preferred and alternate DNS controls.
    std::vector<DWORD> Addresses() const {
        return {Address(IDC_TCP_IP_ADDRESS), Address(IDC_TCP_SUBNET_MASK), Address(IDC_TCP_GATEWAY), Address(IDC_TCP_PREFERRED_DNS), Address(IDC_TCP_ALTERNATE_DNS)};
    }

    // Types an address field by field, as a user moving on with the mouse.
    void TypeAddress(int id, const std::vector<std::wstring>& parts) {
        for (size_t i = 0; i < parts.size(); ++i) {
            HWND field = gui::FindChildByClass(wizard_.Item(id), L"Edit", static_cast<int>(i));
            ASSERT_TRUE(gui::FocusControl(field));
            gui::TypeText(field, parts[i]);
            ASSERT_TRUE(gui::WaitForText(field, parts[i]));
        }
    }

    // Fills one list's fields of the advanced dialog and presses its "追加".
    static void AddEntry(HWND dialog, int field, DWORD address, int second, const std::wstring& secondText, int add) {
        gui::SetIpAddress(GetDlgItem(dialog, field), address);
        if (second == IDC_TCP_ADVANCED_ADDRESS_MASK) gui::SetIpAddress(GetDlgItem(dialog, second), Ip(255, 0, 0, 0));
        if (second == IDC_TCP_ADVANCED_GATEWAY_METRIC) {
            ASSERT_TRUE(gui::SetText(GetDlgItem(dialog, second), secondText));
        }
        ASSERT_TRUE(gui::Click(GetDlgItem(dialog, add)));
    }

    // A printer that Wine's spooler knows, made the user's default.
    void SeedDefaultPrinter() {
        ASSERT_TRUE(SeedPrinter(seed_, kPrinter));
        ASSERT_TRUE(PreserveDefaultPrinter(seed_));
        ASSERT_TRUE(SetDefaultPrinterW(kPrinter));
    }

    static constexpr size_t kChosen = 1;
    CRegistrySeed seed_;
    MainWindowDriver app_;
    WizardDriver wizard_{app_};
    std::vector<AdapterInfo> adapters_;
};

TEST_F(NetworkPages, ConnectionPageListsAdaptersAndANewProfileTakesTheCurrentTcpip) {
    ASSERT_TRUE(app_.StartToMain());
    ASSERT_NO_FATAL_FAILURE(OpenConnectionPage(IDC_MAIN_ADD, L"新規"));
    const HWND list = wizard_.Item(IDC_ADAPTER_LIST);
    ASSERT_EQ(gui::ListViewCount(list), static_cast<int>(adapters_.size()));
    for (size_t row = 0; row < adapters_.size(); ++row) {
        EXPECT_EQ(Narrow(gui::ListViewText(list, static_cast<int>(row), 0)), Narrow(row ? ConnectionName(row) : L""));
        EXPECT_EQ(Narrow(gui::ListViewText(list, static_cast<int>(row), 1)), Narrow(adapters_[row].description));
    }
    EXPECT_EQ(gui::ListViewSelected(list), 0) << "a new profile starts on the first row";
    gui::SaveScreenshot(wizard_.Sheet(), L"wizard_connection_page.png");

    ASSERT_TRUE(gui::ListViewSelect(list, -1));
    wizard_.ExpectRefusedNext(L"ネットワークネットワーク接続名が選択されていません。\r\n設定するネットワーク接続名を選択してください。",
                      IDC_ADAPTER_LIST);

    // The adapter is DHCP (as Wine reports every adapter) and names its
    // DNS servers: those of the system's network parameters.
    ASSERT_TRUE(gui::ListViewSelect(list, kChosen));
    ASSERT_TRUE(wizard_.Turn(ID_WIZNEXT));
    ASSERT_NE(wizard_.Item(IDC_TCP_IP_ADDRESS), nullptr);
    EXPECT_TRUE(wizard_.Ticked(IDC_TCP_DHCP));
    EXPECT_FALSE(wizard_.Ticked(IDC_TCP_FIXED_IP));
    for (int id : {IDC_TCP_IP_ADDRESS, IDC_TCP_SUBNET_MASK, IDC_TCP_GATEWAY}) {
        int filled = -1;
        EXPECT_EQ(Address(id, &filled), 0u) << id;
        EXPECT_EQ(filled, 0) << id;
        EXPECT_FALSE(wizard_.Enabled(id)) << id;
    }
    std::vector<std::wstring> servers;
    ASSERT_TRUE(ReadDnsServers(servers));
    EXPECT_TRUE(wizard_.Ticked(IDC_TCP_DNS_MANUAL));
    EXPECT_TRUE(wizard_.Enabled(IDC_TCP_DNS_AUTO));
    EXPECT_EQ(Narrow(W(CTools().AddressToText(Address(IDC_TCP_PREFERRED_DNS)))), Narrow(servers.front()));
    gui::SaveScreenshot(wizard_.Sheet(), L"wizard_tcpip_page.png");
    // "固定IP" forces hand-set DNS servers and disables "自動的に取得する".
    ASSERT_TRUE(gui::Click(wizard_.Item(IDC_TCP_DNS_AUTO)));
    ASSERT_TRUE(gui::WaitUntil([&] { return !wizard_.Enabled(IDC_TCP_PREFERRED_DNS); }));
    ASSERT_TRUE(gui::Click(wizard_.Item(IDC_TCP_FIXED_IP)));
    ASSERT_TRUE(gui::WaitUntil([&] { return wizard_.Enabled(IDC_TCP_IP_ADDRESS); }));
    EXPECT_TRUE(wizard_.Ticked(IDC_TCP_DNS_MANUAL));
    EXPECT_FALSE(wizard_.Ticked(IDC_TCP_DNS_AUTO));
    EXPECT_FALSE(wizard_.Enabled(IDC_TCP_DNS_AUTO));
    EXPECT_TRUE(wizard_.Enabled(IDC_TCP_PREFERRED_DNS));

    // 10.1.2.3: moving between its fields leaves the mask alone, tabbing out sets 255.0.0.0.
    gui::SetIpAddress(wizard_.Item(IDC_TCP_SUBNET_MASK), Ip(255, 255, 255, 252));
    ASSERT_NO_FATAL_FAILURE(TypeAddress(IDC_TCP_IP_ADDRESS, {L"10", L"1", L"2", L"3"}));
    EXPECT_EQ(Address(IDC_TCP_SUBNET_MASK), Ip(255, 255, 255, 252));
    gui::PressKey(gui::FocusedWindow(wizard_.Page()), VK_TAB);
    EXPECT_TRUE(gui::WaitUntil([&] { return Address(IDC_TCP_SUBNET_MASK) == Ip(255, 0, 0, 0); })) << std::hex << Address(IDC_TCP_SUBNET_MASK);
    EXPECT_EQ(Address(IDC_TCP_IP_ADDRESS), Ip(10, 1, 2, 3));

    // One refused Next per family of messages.
    gui::SetIpAddress(wizard_.Item(IDC_TCP_IP_ADDRESS), Ip(10, 0, 0, 0));
    wizard_.ExpectRefusedNext(L"IPアドレスに不正な値が入力されています\r\n正しいIPアドレスを入力してください。", IDC_TCP_IP_ADDRESS);
    gui::SetIpAddress(wizard_.Item(IDC_TCP_IP_ADDRESS), Ip(10, 1, 2, 3));
    gui::SetIpAddress(wizard_.Item(IDC_TCP_PREFERRED_DNS), Ip(127, 0, 0, 1));
    wizard_.ExpectRefusedNext(L"優先DNSサーバの第１フィールドには0～126,128～223以外の値は入力できません。\r\n"
                      L"優先DNSサーバの第１フィールドには0～126,128～223の値を入力してください。",
                      IDC_TCP_PREFERRED_DNS);
    gui::SetIpAddress(wizard_.Item(IDC_TCP_PREFERRED_DNS), Ip(10, 0, 0, 53));
    gui::SetIpAddress(wizard_.Item(IDC_TCP_ALTERNATE_DNS), Ip(10, 0, 0, 53));
    wizard_.ExpectRefusedNext(L"優先DNSと代替DNSが同じ値が入力されています。\r\n代替DNSの値を再入力してください。", IDC_TCP_ALTERNATE_DNS);
    gui::ClearIpAddress(wizard_.Item(IDC_TCP_ALTERNATE_DNS));
    gui::SetIpAddress(wizard_.Item(IDC_TCP_GATEWAY), Ip(10, 1, 2, 3));
    wizard_.ExpectRefusedNext(L"IPアドレスとゲートウェイが同じ値が入力されています。\r\nIPアドレスかゲートウェイの値を再入力してください。",
                      IDC_TCP_GATEWAY);

    // The advanced dialog judges each entry against the page as typed
    // (10.1.2.3/8): the message names it and its field takes the focus.
    const HWND advanced = wizard_.OpenTcpAdvanced();
    ASSERT_NE(advanced, nullptr);
    const struct {
        int field, second, add;
        DWORD address;
        UINT message;
    } refusals[] = {
        {IDC_TCP_ADVANCED_ADDRESS_IP, IDC_TCP_ADVANCED_ADDRESS_MASK, IDC_TCP_ADVANCED_ADDRESS_ADD, Ip(11, 255, 255, 255), IDS_BAD_IP},
        {IDC_TCP_ADVANCED_ADDRESS_IP, IDC_TCP_ADVANCED_ADDRESS_MASK, IDC_TCP_ADVANCED_ADDRESS_ADD, Ip(10, 1, 2, 3), IDS_ADDRESS_TWICE},
        {IDC_TCP_ADVANCED_GATEWAY_IP, IDC_TCP_ADVANCED_GATEWAY_METRIC, IDC_TCP_ADVANCED_GATEWAY_ADD, Ip(172, 16, 0, 1), IDS_GATEWAY_OUTSIDE},
    };
    for (const auto& r : refusals) {
        ASSERT_NO_FATAL_FAILURE(AddEntry(advanced, r.field, r.address, r.second, L"10", r.add));
        app_.ExpectBox(ExpectedText(r.message), gui::BoxIcon::Error);
        EXPECT_TRUE(gui::WaitForFocus(GetDlgItem(advanced, r.field)));
    }
    EXPECT_EQ(gui::ListViewCount(GetDlgItem(advanced, IDC_TCP_ADVANCED_ADDRESS_LIST)), 0);
    EXPECT_EQ(gui::ListViewCount(GetDlgItem(advanced, IDC_TCP_ADVANCED_GATEWAY_LIST)), 0);
    ASSERT_TRUE(gui::Click(GetDlgItem(advanced, IDCANCEL)));
    ASSERT_TRUE(gui::WaitForWindowGone(advanced));
    ASSERT_TRUE(wizard_.Cancel());
}

TEST_F(NetworkPages, AFixedAddressProfileMadeInTheWizardIsAppliedAndKeptWhenEdited) {
    // What a new profile takes over besides TCP/IP: the LAN connection's
    // proxy settings and the default printer.
    const std::wstring internet = L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
    ASSERT_TRUE(seed_.SetDword(HKEY_CURRENT_USER, internet, L"ProxyEnable", 1));
    ASSERT_TRUE(seed_.SetString(HKEY_CURRENT_USER, internet, L"ProxyServer", L"127.0.0.1:3128"));
    ASSERT_TRUE(seed_.SetString(HKEY_CURRENT_USER, internet, L"ProxyOverride", L"a;b;<local>"));
    ASSERT_NO_FATAL_FAILURE(SeedDefaultPrinter());
    ASSERT_TRUE(app_.StartToMain());
    ASSERT_NO_FATAL_FAILURE(OpenConnectionPage(IDC_MAIN_ADD, L"固定"));
    ASSERT_TRUE(gui::ListViewSelect(wizard_.Item(IDC_ADAPTER_LIST), kChosen));
    ASSERT_TRUE(wizard_.Turn(ID_WIZNEXT));
    ASSERT_TRUE(gui::Click(wizard_.Item(IDC_TCP_FIXED_IP)));
    ASSERT_TRUE(gui::WaitUntil([&] { return wizard_.Enabled(IDC_TCP_IP_ADDRESS); }));
    gui::SetIpAddress(wizard_.Item(IDC_TCP_IP_ADDRESS), Ip(192, 168, 50, 10));
    gui::SetIpAddress(wizard_.Item(IDC_TCP_SUBNET_MASK), Ip(255, 255, 255, 0));
    gui::SetIpAddress(wizard_.Item(IDC_TCP_GATEWAY), Ip(192, 168, 50, 1));
    gui::SetIpAddress(wizard_.Item(IDC_TCP_PREFERRED_DNS), Ip(192, 168, 50, 3));
    gui::SetIpAddress(wizard_.Item(IDC_TCP_ALTERNATE_DNS), Ip(192, 168, 50, 2));
    // One more address, gateway and DNS server, and the suffix.
    const HWND advanced = wizard_.OpenTcpAdvanced();
    ASSERT_NE(advanced, nullptr);
    ASSERT_NO_FATAL_FAILURE(AddEntry(advanced, IDC_TCP_ADVANCED_ADDRESS_IP, Ip(10, 0, 0, 5), IDC_TCP_ADVANCED_ADDRESS_MASK, L"", IDC_TCP_ADVANCED_ADDRESS_ADD));
    ASSERT_NO_FATAL_FAILURE(AddEntry(advanced, IDC_TCP_ADVANCED_GATEWAY_IP, Ip(10, 0, 0, 1), IDC_TCP_ADVANCED_GATEWAY_METRIC, L"20", IDC_TCP_ADVANCED_GATEWAY_ADD));
    ASSERT_NO_FATAL_FAILURE(AddEntry(advanced, IDC_TCP_ADVANCED_DNS_IP, Ip(192, 168, 50, 4), 0, L"", IDC_TCP_ADVANCED_DNS_ADD));
    ASSERT_TRUE(gui::ReplaceText(GetDlgItem(advanced, IDC_TCP_ADVANCED_SUFFIX), L"corp.example"));
    gui::SaveScreenshot(advanced, L"wizard_tcpip_advanced.png");
    ASSERT_TRUE(gui::Click(GetDlgItem(advanced, IDOK)));
    ASSERT_TRUE(gui::WaitForWindowGone(advanced));
    ASSERT_NE(wizard_.Next(5), nullptr);
    const std::wstring summary = gui::WindowText(wizard_.Item(IDC_CONFIRM_SUMMARY));
    for (const wchar_t* line : {L"    追加IPアドレス：10.0.0.5/255.0.0.0\r\n", L"    追加デフォルトゲートウェイ：10.0.0.1（メトリック：20）\r\n",
                                L"    追加DNSサーバ：192.168.50.4\r\n", L"  この接続のDNSサフィックス：corp.example\r\n"})
        EXPECT_NE(summary.find(line), std::wstring::npos) << Narrow(line) << " in " << Narrow(summary);
    ASSERT_TRUE(wizard_.Finish());
    ASSERT_TRUE(app_.WaitForRows(2));
    std::vector<CProfileData> stored;
    ASSERT_TRUE(app_.ReadProfiles(&stored));
    ASSERT_EQ(stored.size(), 2u);
    const CProfileData& made = stored[1];
    EXPECT_EQ(made.Record().sameProxyForAll, 1);
    EXPECT_EQ(Narrow(W(made.GetText(ProfileText::secureProxyServer))), "127.0.0.1");
    EXPECT_EQ(made.Record().httpProxyPort + 0, 3128);
    EXPECT_EQ(Narrow(W(made.GetText(ProfileText::proxyBypassList))), "a;b");
    EXPECT_EQ(made.Record().bypassLocal, 1);
    EXPECT_EQ(Narrow(W(made.GetText(ProfileText::printerName))), Narrow(kPrinter));
    EXPECT_EQ(made.Record().proxyMode, 1) << "the proxy is left as it is until the proxy page says otherwise";
    EXPECT_EQ(made.Extension(), (ProfileExtension{{{Ip(10, 0, 0, 5), Ip(255, 0, 0, 0)}}, {{Ip(10, 0, 0, 1), 20}},
                                          {Ip(192, 168, 50, 4)}, u"corp.example", ""}));

    // Applied, the profile runs exactly these command lines.
    ASSERT_EQ(gui::ListViewCount(app_.List()), 2);
    ASSERT_TRUE(app_.Apply(1));
    app_.ExpectBox(L"ネットワーク設定の切替えを完了しました。", gui::BoxIcon::Information);
    std::vector<std::string> commands;
    for (const testsupport::StandInRecord& r : testsupport::ReadRecords()) commands.push_back(Narrow(r.commandLine));
    const std::string name = "name=\"" + Narrow(ConnectionName(kChosen)) + "\"";
    EXPECT_EQ(commands, (std::vector<std::string>{
                            "netsh interface ipv4 set address " + name +
                                " source=static 192.168.50.10 255.255.255.0 192.168.50.1 0",
                            "netsh interface ipv4 add address " + name + " addr=10.0.0.5 mask=255.0.0.0",
                            "netsh interface ipv4 add address " + name + " gateway=10.0.0.1 gwmetric=20",
                            "netsh interface ipv4 set dns " + name + " source=static addr=192.168.50.3 register=PRIMARY",
                            "netsh interface ipv4 add dns " + name + " addr=192.168.50.2 index=2",
                            "netsh interface ipv4 add dns " + name + " addr=192.168.50.4 index=3"}));

    // Editing selects the profile's adapter; choosing another one keeps the TCP/IP fields.
    ASSERT_NO_FATAL_FAILURE(OpenConnectionPage(IDC_MAIN_EDIT, L"固定"));
    EXPECT_EQ(gui::ListViewSelected(wizard_.Item(IDC_ADAPTER_LIST)), static_cast<int>(kChosen));
    ASSERT_TRUE(gui::ListViewSelect(wizard_.Item(IDC_ADAPTER_LIST), 0));
    ASSERT_TRUE(wizard_.Turn(ID_WIZNEXT));
    ASSERT_NE(wizard_.Item(IDC_TCP_IP_ADDRESS), nullptr);
    EXPECT_TRUE(wizard_.Ticked(IDC_TCP_FIXED_IP));
    EXPECT_EQ(Addresses(), (std::vector<DWORD>{Ip(192, 168, 50, 10), Ip(255, 255, 255, 0), Ip(192, 168, 50, 1),
                                                Ip(192, 168, 50, 3), Ip(192, 168, 50, 2)}));

    // Back stores without checks: a half-typed address comes back as typed.
    gui::ClearIpAddress(wizard_.Item(IDC_TCP_IP_ADDRESS));
    ASSERT_NO_FATAL_FAILURE(TypeAddress(IDC_TCP_IP_ADDRESS, {L"172", L"16"}));
    ASSERT_TRUE(wizard_.Turn(ID_WIZBACK));
    ASSERT_TRUE(wizard_.Turn(ID_WIZNEXT));
    int filled = -1;
    EXPECT_EQ(Address(IDC_TCP_IP_ADDRESS, &filled), Ip(172, 16, 0, 0));
    EXPECT_EQ(filled, 4) << "a stored value fills every field";
    ASSERT_TRUE(wizard_.Cancel());
}

// Wine reports every adapter as using DHCP: a copy of the program beside a
// stand-in iphlpapi.dll sees one adapter with a fixed address instead.
TEST_F(NetworkPages, ANewProfileTakesAFixedAdaptersAddressAndTheSystemsDnsServers) {
    const std::wstring folder = testsupport::TempDir();
    for (const wchar_t* file : {L"\\Tolvik_Network.exe", L"\\standin-iphlpapi\\iphlpapi.dll"}) {
        const std::wstring name = std::wstring(file).substr(std::wstring(file).find_last_of(L'\\'));
        ASSERT_TRUE(CopyFileW((testsupport::ExeDir() + file).c_str(), (folder + name).c_str(), FALSE)) << Narrow(file);
    }
    ASSERT_TRUE(seed_.SetString(HKEY_LOCAL_MACHINE, AdapterTcpipKey(L"{0A7C5E10-0000-4000-8000-0000000000A1}"),
                                L"NameServer", L"192.168.77.2"));
    // Wine loads its own iphlpapi.dll unless told to prefer the one beside the program.
    ASSERT_TRUE(seed_.SetString(HKEY_CURRENT_USER, L"Software\\Wine\\AppDefaults\\Tolvik_Network.exe\\DllOverrides",
                                L"iphlpapi", L"native,builtin"));
    ASSERT_TRUE(app_.StartToMain(L"", folder));
    ASSERT_NO_FATAL_FAILURE(OpenConnectionPage(IDC_MAIN_ADD, L"固定アダプタ"));
    ASSERT_EQ(Narrow(gui::ListViewText(wizard_.Item(IDC_ADAPTER_LIST), 0, 1)), "Ortivo Fixed Test Adapter");
    ASSERT_TRUE(wizard_.Turn(ID_WIZNEXT));
    ASSERT_NE(wizard_.Item(IDC_TCP_IP_ADDRESS), nullptr);
    EXPECT_TRUE(wizard_.Ticked(IDC_TCP_FIXED_IP));
    EXPECT_TRUE(wizard_.Ticked(IDC_TCP_DNS_MANUAL));
    EXPECT_EQ(Addresses(), (std::vector<DWORD>{Ip(192, 168, 77, 10), Ip(255, 255, 255, 0), Ip(192, 168, 77, 1),
                                                Ip(192, 168, 77, 2), Ip(192, 168, 77, 3)}));
    ASSERT_TRUE(wizard_.Cancel());
}

}  // namespace
