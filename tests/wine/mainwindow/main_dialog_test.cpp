// The main dialog of the real Tolvik_Network.exe, driven through its windows.
#include <gtest/gtest.h>

#include "app/Messages.h"
#include "framework/win/PropertySheet.h"
#include "framework/win/WideText.h"
#include "profile/win/ProfileFileAccess.h"
#include "resources/resource.h"
#include "switching/win/NetworkWatcher.h"
#include "system/win/AdapterDiscovery.h"
#include "tests/wine/support/CallPause.h"
#include "tests/wine/support/InternetSettings.h"
#include "tests/wine/support/SettingServiceHost.h"
#include "tests/wine/support/MainWindowDriver.h"
#include "tests/wine/support/LoopbackHttpServer.h"
#include "tests/wine/support/TestNetwork.h"
#include "tests/wine/support/TestSupport.h"
#include "tests/wine/support/WizardDriver.h"

namespace {

using testsupport::Narrow;

constexpr wchar_t kSwitchingCaption[] = L"Ortivo (ネットワーク設定中)";

class MainDialog : public ::testing::Test {
protected:
    void ExpectBox(const std::wstring& text, gui::BoxIcon icon, int answer = IDOK) {
        app_.ExpectBox(text, icon, answer);
    }

    // Next from the name page over every page up to the confirmation page, then Finish.
    void FinishFromNamePage() {
        ASSERT_NE(wizard_.Next(7), nullptr);
        ASSERT_TRUE(wizard_.Finish());
    }

    std::vector<std::wstring> Rows() const { return gui::ListViewRows(app_.List()); }

    std::vector<std::wstring> FileNames() const {
        std::vector<std::wstring> names;
        EXPECT_TRUE(app_.ReadDataFile(&names));
        return names;
    }

    void Close() {
        ASSERT_TRUE(gui::Click(app_.Control(IDOK)));
        DWORD code = 1;
        ASSERT_TRUE(app_.WaitForExit(&code));
        EXPECT_EQ(code, 0u);
    }

    MainWindowDriver app_;
    WizardDriver wizard_{app_};
};

TEST_F(MainDialog, AddRefuseDuplicateEditAndDeleteStartingWithoutProfiles) {
    ASSERT_TRUE(app_.RemoveDataFile());
    ASSERT_TRUE(app_.Start());
    ExpectBox(L"プロファイルが登録されていません。\r\n「Ortivo」画面の「追加」ボタンを押して\r\n"
              L"接続するネットワーク環境を登録してください。",
              gui::BoxIcon::Information);
    ASSERT_NE(app_.WaitForMain(), nullptr);
    ASSERT_TRUE(gui::WaitUntil([&] { return IsWindowVisible(app_.Main()) != FALSE; }));

    // No profiles: empty list and description, only "追加".
    EXPECT_EQ(gui::ListViewCount(app_.List()), 0);
    EXPECT_EQ(app_.Description(), L"");
    EXPECT_TRUE(app_.Enabled(IDC_MAIN_ADD));
    EXPECT_FALSE(app_.Enabled(IDC_MAIN_EDIT));
    EXPECT_FALSE(app_.Enabled(IDC_MAIN_DELETE));
    EXPECT_FALSE(app_.Enabled(IDC_MAIN_APPLY));
    EXPECT_FALSE(IsWindowVisible(app_.Control(IDC_MAIN_MANAGED))) << "profiles said to be managed";

    // Adding: the name page with its first icon, Finish writes the record.
    ASSERT_TRUE(wizard_.Open(IDC_MAIN_ADD));
    // The button rules are posted by the page: wait until they have been applied.
    gui::Sync(wizard_.Sheet());
    EXPECT_TRUE(gui::WaitUntil([&] { return !IsWindowEnabled(wizard_.Button(ID_WIZBACK)); }))
        << "the name page has no Back";
    ASSERT_TRUE(wizard_.TypeName(L"オフィス"));
    gui::SaveScreenshot(wizard_.Sheet(), L"mainwindow_wizard_name_page.png");
    ASSERT_NO_FATAL_FAILURE(FinishFromNamePage());
    ASSERT_TRUE(app_.WaitForRows(1));
    EXPECT_EQ(Narrow(gui::ListViewText(app_.List(), 0)), "オフィス");
    EXPECT_EQ(FileNames(), std::vector<std::wstring>{L"オフィス"});

    // A duplicate name: message 160, the wizard stays on the name page.
    ASSERT_TRUE(wizard_.Open(IDC_MAIN_ADD, L"オフィス"));
    wizard_.ExpectRefusedNext(L"プロファイル名が重複しています。\r\nプロファイル名を再入力してください。", IDC_NAME_EDIT);
    ASSERT_TRUE(wizard_.Cancel());
    EXPECT_EQ(gui::ListViewCount(app_.List()), 1);

    // Selecting shows the description and enables the row buttons.
    ASSERT_TRUE(gui::ListViewSelect(app_.List(), 0));
    ASSERT_TRUE(gui::WaitUntil([&] { return app_.Enabled(IDC_MAIN_EDIT); }));
    EXPECT_TRUE(app_.Enabled(IDC_MAIN_DELETE));
    EXPECT_TRUE(app_.Enabled(IDC_MAIN_APPLY));
    EXPECT_EQ(app_.Description().find(L"ネットワーク接続名\r\n  \r\nネットワークアダプタ\r\n"), 0u);
    EXPECT_NE(app_.Description().find(L"TCP/IP設定\r\n  接続方法：DHCP接続\r\n"), std::wstring::npos)
        << Narrow(app_.Description());
    gui::SaveScreenshot(app_.Main(), L"mainwindow_main_dialog.png");

    // Editing renames the row and the record.
    ASSERT_TRUE(wizard_.Open(IDC_MAIN_EDIT));
    EXPECT_TRUE(gui::WaitForText(wizard_.Item(IDC_NAME_EDIT), L"オフィス"));
    ASSERT_TRUE(wizard_.TypeName(L"自宅"));
    ASSERT_NO_FATAL_FAILURE(FinishFromNamePage());
    ASSERT_TRUE(gui::WaitUntil([&] { return gui::ListViewText(app_.List(), 0) == L"自宅"; }));
    ASSERT_TRUE(gui::Sync(app_.Main()));
    EXPECT_EQ(FileNames(), std::vector<std::wstring>{L"自宅"});

    // Deleting asks 162; No changes nothing, Yes removes the row.
    ASSERT_TRUE(gui::ListViewSelect(app_.List(), 0));
    ASSERT_TRUE(gui::Click(app_.Control(IDC_MAIN_DELETE)));
    ExpectBox(L"[自宅]を削除しますか？", gui::BoxIcon::Question, IDNO);
    gui::Sync(app_.Main());
    EXPECT_EQ(Rows(), std::vector<std::wstring>{L"自宅"});
    EXPECT_EQ(FileNames(), std::vector<std::wstring>{L"自宅"});
    ASSERT_TRUE(gui::Click(app_.Control(IDC_MAIN_DELETE)));
    ExpectBox(L"[自宅]を削除しますか？", gui::BoxIcon::Question, IDYES);
    ASSERT_TRUE(app_.WaitForRows(0));
    // The handler goes on after emptying the list: wait for its last steps.
    EXPECT_TRUE(gui::WaitUntil([&] { return app_.Description().empty(); })) << Narrow(app_.Description());
    EXPECT_TRUE(gui::WaitUntil([&] { return !app_.Enabled(IDC_MAIN_EDIT); }));
    ASSERT_TRUE(gui::Sync(app_.Main()));
    EXPECT_TRUE(FileNames().empty());
    Close();
}

TEST_F(MainDialog, TwelveProfilesRefuseAnotherCancelStoresNothingClosingWrites) {
    std::vector<std::wstring> names;
    for (int i = 1; i <= 12; ++i) names.push_back(L"P" + std::to_wstring(i));
    ASSERT_TRUE(app_.WriteDataFile(names));
    ASSERT_TRUE(app_.StartToMain());
    EXPECT_EQ(Rows(), names);

    ASSERT_TRUE(gui::Click(app_.Control(IDC_MAIN_ADD)));
    ExpectBox(L"プロファイル数が既に12個登録されています。\r\nこれ以上プロファイルを追加する事はできません。",
              gui::BoxIcon::Error);
    gui::Sync(app_.Main());
    for (HWND w : gui::DialogsOf(app_.ProcessId())) EXPECT_EQ(GetDlgItem(w, ID_WIZNEXT), nullptr) << "a wizard opened";

    // Cancel on the confirmation page after renaming stores nothing; that
    // page shows what would have been registered.
    ASSERT_TRUE(gui::ListViewSelect(app_.List(), 0));
    ASSERT_TRUE(wizard_.Open(IDC_MAIN_EDIT, L"変更後"));
    ASSERT_NE(wizard_.Next(7), nullptr);
    EXPECT_TRUE(gui::WaitForText(wizard_.Item(IDC_CONFIRM_NAME), L"変更後"));
    // The profile names no adapter: the connection page chose the first one.
    const std::vector<AdapterInfo> adapters = ListAdapters();
    ASSERT_FALSE(adapters.empty());
    EXPECT_EQ(Narrow(gui::WindowText(wizard_.Item(IDC_CONFIRM_ADAPTER))), Narrow(adapters.front().description));
    const std::wstring summary = gui::WindowText(wizard_.Item(IDC_CONFIRM_SUMMARY));
    EXPECT_EQ(summary.find(L"TCP/IP設定\r\n  接続方法：DHCP接続\r\n"), 0u) << Narrow(summary);
    ASSERT_TRUE(wizard_.Cancel());
    EXPECT_EQ(Rows(), names);
    EXPECT_EQ(FileNames(), names);

    // Closing writes the data file again.
    ASSERT_TRUE(app_.RemoveDataFile());
    Close();
    EXPECT_EQ(FileNames(), names);
}

TEST_F(MainDialog, ApplyRunsAWholeSwitchAndRunRequestsNameProfilesByPosition) {
    ASSERT_TRUE(testsupport::InstallApplierStandIns());
    ASSERT_TRUE(app_.WriteDataFile({L"旧", L"会社", L"自宅"}, L"ローカル エリア接続"));
    ASSERT_TRUE(app_.SetShowSetting(true));
    ASSERT_TRUE(app_.StartToMain());

    // After a deletion the profiles carry new identifiers (4 and 5).
    ASSERT_TRUE(gui::ListViewSelect(app_.List(), 0));
    ASSERT_TRUE(gui::ClickWhenEnabled(app_.Control(IDC_MAIN_DELETE)));
    ExpectBox(L"[旧]を削除しますか？", gui::BoxIcon::Question, IDYES);
    ASSERT_TRUE(app_.WaitForRows(2));

    ASSERT_TRUE(app_.Apply(0));
    ASSERT_TRUE(gui::WaitForText(app_.Main(), kSwitchingCaption));
    for (int id : {IDC_MAIN_ADD, IDC_MAIN_EDIT, IDC_MAIN_DELETE, IDC_MAIN_APPLY}) EXPECT_FALSE(app_.Enabled(id)) << id;
    HWND progressWindow = app_.WaitForDialog([](HWND w) { return GetDlgItem(w, IDC_PROGRESS_BAR) != nullptr; });
    ASSERT_NE(progressWindow, nullptr) << "no progress window";
    EXPECT_EQ(Narrow(gui::WindowText(GetDlgItem(progressWindow, IDC_PROGRESS_PROFILE))), "プロファイル：会社");
    gui::SaveScreenshot(app_.Main(), L"mainwindow_switching.png");

    // A run request while the switch runs starts nothing but selects the
    // profile at that position; 0 does nothing at all.
    DWORD_PTR result = 1;
    ASSERT_TRUE(SendMessageTimeoutW(app_.Main(), kMsgRunProfile, 0, 0, SMTO_NORMAL, 10000, &result));
    EXPECT_EQ(result, 0u);
    EXPECT_EQ(gui::ListViewSelected(app_.List()), 0);
    ASSERT_TRUE(SendMessageTimeoutW(app_.Main(), kMsgRunProfile, 2, 0, SMTO_NORMAL, 10000, &result));
    EXPECT_EQ(result, 0u);
    EXPECT_EQ(gui::ListViewSelected(app_.List()), 1);
    EXPECT_EQ(gui::WindowText(app_.Main()), kSwitchingCaption);

    ExpectBox(L"ネットワーク設定の切替えを完了しました。", gui::BoxIcon::Information);
    ASSERT_TRUE(gui::WaitForText(app_.Main(), L"Ortivo"));
    EXPECT_TRUE(app_.Enabled(IDC_MAIN_APPLY));
    EXPECT_FALSE(IsWindowVisible(progressWindow));
    std::vector<std::wstring> commands;
    for (const testsupport::StandInRecord& r : testsupport::ReadRecords()) commands.push_back(r.commandLine);
    ASSERT_GE(commands.size(), 2u);
    EXPECT_NE(commands[1].find(L"interface ipv4 set address name=\"ローカル エリア接続\" source=dhcp"),
              std::wstring::npos)
        << Narrow(commands[1]);  // after the static gateways' deletion

    // Logging off writes the data file and ends the program without asking.
    ASSERT_TRUE(app_.RemoveDataFile());
    DWORD_PTR ended = 0;
    SendMessageTimeoutW(app_.Main(), WM_ENDSESSION, TRUE, 0, SMTO_NORMAL, 10000, &ended);
    ASSERT_TRUE(app_.WaitForExit());
    EXPECT_EQ(FileNames(), (std::vector<std::wstring>{L"会社", L"自宅"}));
}

// Another program (a scanner, a backup) opens the data file the moment a
// deletion has written it, before the list is read back from it.
TEST_F(MainDialog, DataFileHeldRightAfterADeletionKeepsTheRemainingProfiles) {
    const std::vector<std::wstring> remaining = {L"会社", L"自宅"};
    ASSERT_TRUE(app_.WriteDataFile({L"旧", L"会社", L"自宅"}));
    ASSERT_TRUE(app_.StartToMain());
    CFileHandle holder;
    {
        // The program stands still where it stores the digest of the file it
        // has just written.
        CCallPause pause(app_.ProcessId(), L"advapi32.dll", "RegSetValueExW", L"DatData", [&] {
            holder.Reset(testsupport::HoldFile(CommonDataFilePath()).Release());
        });
        ASSERT_TRUE(pause.WaitArmed(gui::kDefaultTimeoutMs));
        ASSERT_TRUE(gui::ListViewSelect(app_.List(), 0));
        ASSERT_TRUE(gui::ClickWhenEnabled(app_.Control(IDC_MAIN_DELETE)));
        ExpectBox(L"[旧]を削除しますか？", gui::BoxIcon::Question, IDYES);
        ASSERT_TRUE(pause.WaitDone(gui::kDefaultTimeoutMs)) << "the deletion wrote no data file";
    }
    ASSERT_TRUE(holder.Valid());
    gui::Sync(app_.Main());  // the deletion's handler has ended
    EXPECT_EQ(Rows(), remaining);
    holder.Reset();
    Close();
    EXPECT_EQ(FileNames(), remaining);
}

// What the user sees of a switch whose steps failed: one error box per
// failed step, the check failures together in one box, in their order.
TEST_F(MainDialog, FailedStepsOfASwitchShowOneBoxEach) {
    ASSERT_TRUE(app_.WriteDataFile({L"会社"}));
    ASSERT_TRUE(app_.StartToMain());
    auto text = [](std::initializer_list<UINT> ids) {
        std::wstring lines;
        for (UINT id : ids) lines += (lines.empty() ? L"" : L"\r\n") + testsupport::ExpectedText(id);
        return lines;
    };
    struct Case {
        WPARAM word;  // the result word the switch reports
        std::vector<std::wstring> boxes;
    } cases[] = {
        // 0x08 and 0x20 both say 175, which the box holds once.
        {0x0100 | 0x0200 | 0x0400 | 0x0800 | 0x3F,
         {text({165}), text({166}), text({167}), text({168, 174, 175, 176, 177})}},
        {0x0800 | 0x20 | 0x04, {text({175, 177})}},
        {0x0400, {text({167})}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.word);
        ASSERT_TRUE(PostMessageW(app_.Main(), kMsgSwitchResult, c.word, 0));
        for (const std::wstring& box : c.boxes) ASSERT_NO_FATAL_FAILURE(ExpectBox(box, gui::BoxIcon::Error));
        ASSERT_TRUE(gui::Sync(app_.Main()));
        gui::MessageBoxInfo more;
        EXPECT_FALSE(gui::WaitForMessageBox(&more, app_.ProcessId(), 0)) << testsupport::Narrow(more.text);
        EXPECT_EQ(gui::WindowText(app_.Main()), L"Ortivo");
    }
    Close();
}

// A data file that cannot be written: 158, or 179 when the program's own
// volume cannot be asked for free space (its folder went away). The list
// keeps its rows either way.
TEST_F(MainDialog, AWriteThatFailsSays158OrForDiskSpace179) {
    const std::wstring folder = testsupport::TempDir();
    ASSERT_TRUE(CopyFileW((testsupport::ExeDir() + L"\\Tolvik_Network.exe").c_str(),
                          (folder + L"\\Tolvik_Network.exe").c_str(), FALSE));
    const std::vector<std::wstring> names = {L"会社", L"自宅"};
    ASSERT_TRUE(app_.WriteDataFile(names));
    ASSERT_TRUE(app_.StartToMain(L"", folder, testsupport::TempDir()));  // the folder can be moved away

    CFileHandle holder = testsupport::HoldFile(CDataFileGuard::Path());
    ASSERT_TRUE(holder.Valid());
    ASSERT_TRUE(gui::ListViewSelect(app_.List(), 0));
    ASSERT_TRUE(gui::ClickWhenEnabled(app_.Control(IDC_MAIN_DELETE)));
    ExpectBox(L"[会社]を削除しますか？", gui::BoxIcon::Question, IDYES);
    ExpectBox(testsupport::ExpectedText(158), gui::BoxIcon::Error);
    holder.Reset();
    ASSERT_TRUE(gui::Sync(app_.Main()));
    EXPECT_EQ(Rows(), names);

    const std::wstring away = folder + L".away";
    ASSERT_TRUE(MoveFileW(folder.c_str(), away.c_str())) << GetLastError();
    ASSERT_TRUE(gui::ListViewSelect(app_.List(), 1));
    ASSERT_TRUE(gui::ClickWhenEnabled(app_.Control(IDC_MAIN_DELETE)));
    ExpectBox(L"[自宅]を削除しますか？", gui::BoxIcon::Question, IDYES);
    ExpectBox(testsupport::ExpectedText(179), gui::BoxIcon::Error);
    ASSERT_TRUE(MoveFileW(away.c_str(), folder.c_str()));
    ASSERT_TRUE(gui::Sync(app_.Main()));
    EXPECT_EQ(Rows(), names);
    EXPECT_EQ(FileNames(), names);
    Close();
}

TEST_F(MainDialog, ClosingWhileTheHttpCheckWaitsForAnAnswerEndsTheProgramCleanly) {
    ASSERT_TRUE(testsupport::InstallApplierStandIns());
    CLoopbackHttpServer server;
    ASSERT_TRUE(server.Started());
    CProfileData profile = MainWindowDriver::Profile(L"会社");
    profile.Record().checkUrlEnabled = 1;
    profile.SetText(ProfileText::checkUrl, T(server.Url(L"/silent")));
    ASSERT_TRUE(app_.WriteDataFile(std::vector<CProfileData>{profile}));
    ASSERT_TRUE(app_.StartToMain());
    ASSERT_TRUE(app_.Apply(0));
    // The applier runs first (with its pause of five seconds), then the check.
    ASSERT_TRUE(gui::WaitUntil([&] { return !server.Requests().empty(); }, 4 * gui::kDefaultTimeoutMs))
        << "the HTTP check never reached the server";
    Close();  // within the usual time, with exit code 0
}

// The laptop on site A, then on site B (tests/testnet): the profile whose
// settings the connection has is marked, and described so, as the network
// changes; on site B the connection page records the real gateway's MAC
// for a new profile (a fall-back), and the confirmation page shows it.
// Skipped outside the test network.
class TestNetworkFlowMainDialog : public MainDialog {
protected:
    void SetUp() override {
        if (!testsupport::InTestNetwork()) GTEST_SKIP() << "runs in the test network: tests/testnet";
        lan_ = testsupport::TestNetworkLan();
        ASSERT_FALSE(lan_.guid.empty()) << "no adapter ortivo-lan";
        ASSERT_TRUE(testsupport::SeedTestNetworkLan(seed_, lan_));
        ASSERT_TRUE(testsupport::InstallApplierStandIns());
    }

    void ApplyAndSeeItMarked(int row) {
        ASSERT_TRUE(app_.Apply(row));
        ExpectBox(L"ネットワーク設定の切替えを完了しました。", gui::BoxIcon::Information);
        ASSERT_TRUE(app_.WaitForMarkedRows({row}));
        EXPECT_EQ(0u, app_.Description().find(L"現在の接続状態\r\n  このプロファイルの設定が適用されています\r\n"))
            << Narrow(app_.Description());
    }

    CRegistrySeed seed_;
    AdapterInfo lan_;
};

TEST_F(TestNetworkFlowMainDialog, TheProfileInForceIsMarkedAsTheLaptopMovesFromSiteAToSiteB) {
    const CProfileData siteA = testsupport::TestNetworkProfile(lan_, 0, u"サイトA");
    const CProfileData siteB = testsupport::TestNetworkProfile(lan_, testsupport::Ip(198, 51, 100, 1), u"サイトB");
    ASSERT_TRUE(app_.WriteDataFile(std::vector<CProfileData>{siteA, siteB}));
    ASSERT_TRUE(app_.StartToMain());
    ApplyAndSeeItMarked(0);
    // Site B has no DHCP server: no lease, no profile in force.
    ASSERT_EQ(0, testsupport::TestNetworkDo(L"plug b"));
    ASSERT_TRUE(app_.WaitForMarkedRows({}));
    ApplyAndSeeItMarked(1);  // its check pinged the gateway: the neighbour table knows it

    ASSERT_TRUE(wizard_.Open(IDC_MAIN_ADD, L"サイトB記録"));
    ASSERT_TRUE(wizard_.Turn(ID_WIZNEXT));
    ASSERT_TRUE(gui::Click(wizard_.Item(IDC_ADAPTER_RECORD)));
    const std::wstring found = L"  ゲートウェイのMACアドレス：00:00:5E:00:53:0B\r\n";
    EXPECT_TRUE(gui::WaitForText(wizard_.Item(IDC_ADAPTER_FOUND), found));
    // A DHCP profile's fall-back: Wine reports every adapter as using DHCP.
    ASSERT_TRUE(gui::Click(wizard_.Item(IDC_ADAPTER_GATEWAY_LOST)));
    ASSERT_NE(wizard_.Next(6), nullptr);
    const std::wstring summary = gui::WindowText(wizard_.Item(IDC_CONFIRM_SUMMARY));
    EXPECT_NE(summary.find(L"ネットワークの記録と自動適用\r\n" + found + L"  固定ネットワークのゲートウェイが応答しないとき適用する\r\n"),
              std::wstring::npos)
        << Narrow(summary);
    ASSERT_TRUE(wizard_.Finish());
    ASSERT_TRUE(app_.WaitForRows(3));
    std::vector<CProfileData> stored;
    ASSERT_TRUE(app_.ReadProfiles(&stored));
    ASSERT_EQ(stored.size(), 3u);
    const ProfileExtension& made = stored[2].Extension();
    EXPECT_EQ(made.network, (RecordedNetwork{u"00:00:5E:00:53:0B", u"", u""}));
    EXPECT_EQ(made.fallback, ProfileExtension::Fallback::GatewayLost);
    Close();
}

// Started hidden as at logon with the setting service running: the laptop
// comes to site B (no DHCP server) and B's fall-back is applied; back on
// site A B's gateway is silent, the DHCP fall-back is applied and then A's
// own profile (its proxy), whose network matches; plugged into A again,
// nothing runs. Without the service the question comes first and No runs
// nothing.
TEST_F(TestNetworkFlowMainDialog, ArrivingOnANetworkAppliesItsProfileByItself) {
    using testsupport::Ip;
    CProfileData siteA = testsupport::TestNetworkProfile(lan_, 0, u"サイトA");
    siteA.Record().proxyMode = 2;
    siteA.Record().sameProxyForAll = 1;
    siteA.SetText(ProfileText::httpProxyServer, u"proxy.site-a.example");
    siteA.Record().httpProxyPort = 8080;
    siteA.Extension().automatic = true;
    siteA.Extension().network = {u"00:00:5E:00:53:0A", u"site-a.example", u""};
    CProfileData siteB = testsupport::TestNetworkProfile(lan_, Ip(198, 51, 100, 1), u"サイトB予備");
    siteB.Extension().fallback = ProfileExtension::Fallback::NoDhcp;
    CProfileData lost = testsupport::TestNetworkProfile(lan_, 0, u"DHCP予備");
    lost.Extension().fallback = ProfileExtension::Fallback::GatewayLost;
    ASSERT_TRUE(app_.WriteDataFile(std::vector<CProfileData>{siteA, siteB, lost}));
    const CInternetSettingsGuard proxy;
    ASSERT_EQ(0, testsupport::TestNetworkDo(L"dhcp ortivo-lan"));
    auto service = std::make_unique<testsupport::CRunningSettingService>();
    ASSERT_TRUE(service->Running());
    testsupport::UseRecordLog(testsupport::kServiceRecordLog);
    ASSERT_TRUE(app_.Start(L"/AutoRun"));
    // A switch by itself waits for a look, a silent gateway's ping and the applier's pause first.
    const auto applied = [&] {
        gui::ExpectMessageBox(app_.ProcessId(), L"ネットワーク設定の切替えを完了しました。", gui::BoxIcon::Information, IDOK,
                              3 * gui::kDefaultTimeoutMs);
    };

    ASSERT_EQ(0, testsupport::TestNetworkDo(L"plug b"));
    applied();
    EXPECT_EQ((std::vector<std::wstring>{L"198.51.100.10"}), testsupport::TestNetworkLan().ipAddresses);
    ASSERT_EQ(0, testsupport::TestNetworkDo(L"plug a"));
    applied();  // the silent gateway's fall-back: DHCP
    applied();  // then the network's own profile
    EXPECT_EQ(L"proxy.site-a.example:8080", InternetSetting(L"ProxyServer"));
    const std::size_t ran = testsupport::ReadRecords().size();
    ASSERT_EQ(0, testsupport::TestNetworkDo(L"plug a"));
    Sleep(3 * CNetworkWatcher::kLookMs);  // a bounded wait for what must not come
    EXPECT_EQ(ran, testsupport::ReadRecords().size()) << "something ran on the same network";

    service.reset();
    ASSERT_EQ(0, testsupport::TestNetworkDo(L"plug b"));
    ExpectBox(L"接続したネットワークに合うプロファイル[サイトB予備]を適用しますか？", gui::BoxIcon::Question, IDNO);
    Sleep(3 * CNetworkWatcher::kLookMs);
    EXPECT_EQ(ran, testsupport::ReadRecords().size()) << "No ran something";
}

}  // namespace
