// The network check, application, default printer and confirmation pages
// of the real Tolvik_Network.exe, opened with "編集" on two stored profiles,
// with two printers seeded into the prefix.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "framework/win/PropertySheet.h"
#include "framework/win/WideText.h"
#include "resources/resource.h"
#include "tests/wine/support/MainWindowDriver.h"
#include "tests/wine/support/PrinterSeed.h"
#include "tests/wine/support/RegistrySeed.h"
#include "tests/wine/support/TestSupport.h"
#include "tests/wine/support/WizardDriver.h"

namespace {

using testsupport::Narrow;

constexpr int kCheckPage = 4, kAppPage = 5, kPrinterPage = 6, kConfirmPage = 7;

const wchar_t kPrinterA[] = L"Ortivo テスト プリンタ A";
const wchar_t kPrinterB[] = L"Ortivo テスト プリンタ B";
constexpr int kFixedRow = 0, kDhcpRow = 1;

std::vector<CProfileData> StoredProfiles() {
    std::vector<CProfileData> profiles(2);
    // A fixed address without gateway that once had the ping check.
    profiles[kFixedRow].SetText(ProfileText::profileName, u"固定");
    profiles[kFixedRow].Record().ipMode = 1;
    profiles[kFixedRow].Record().ipAddress = testsupport::Ip(10, 0, 0, 5);
    profiles[kFixedRow].Record().subnetMask = 0xFF000000u;
    profiles[kFixedRow].Record().checkPingGateway = 1;
    profiles[kFixedRow].Record().setDefaultPrinter = 1;
    profiles[kFixedRow].SetText(ProfileText::printerName, reinterpret_cast<const char16_t*>(kPrinterB));
    // DHCP with the ping check, and a printer that is no longer installed.
    profiles[kDhcpRow].SetText(ProfileText::profileName, u"DHCP");
    profiles[kDhcpRow].Record().checkPingGateway = 1;
    profiles[kDhcpRow].SetText(ProfileText::printerName, u"撤去済みプリンタ");
    for (CProfileData& p : profiles) {
        p.Record().iconIndex = 2;
        p.SetText(ProfileText::connectionName, u"LAN");
    }
    return profiles;
}

std::wstring MakeFile(const std::wstring& folder, const wchar_t* name) {
    const std::wstring path = folder + L"\\" + name;
    EXPECT_TRUE(testsupport::WriteFileBytes(path)) << Narrow(path);
    return path;
}

class OptionPages : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        printers_ = std::make_unique<CRegistrySeed>();
        SeedPrinter(*printers_, kPrinterA);
        SeedPrinter(*printers_, kPrinterB);
        app_ = std::make_unique<MainWindowDriver>();
        app_->WriteDataFile(StoredProfiles());
        app_->StartToMain();
    }
    static void TearDownTestSuite() {
        app_.reset();
        printers_.reset();
    }
    void SetUp() override { ASSERT_NE(app_->Main(), nullptr) << "the program did not start"; }

    // Opens the wizard on the profile of `row`, renames it when asked, and
    // goes on to page `index`.
    HWND OpenAt(int row, int index, const wchar_t* rename = L"") {
        gui::ListViewSelect(app_->List(), row);
        return wizard_.Open(IDC_MAIN_EDIT, rename) ? wizard_.Next(index) : nullptr;
    }
    static std::unique_ptr<CRegistrySeed> printers_;
    static std::unique_ptr<MainWindowDriver> app_;
    WizardDriver wizard_{*app_};
};
std::unique_ptr<CRegistrySeed> OptionPages::printers_;
std::unique_ptr<MainWindowDriver> OptionPages::app_;

TEST_F(OptionPages, PingNeedsAGatewayAndATickedUrlNeedsAnAddress) {
    // A fixed address without gateway loses the ping check.
    HWND page = OpenAt(kFixedRow, kCheckPage);
    ASSERT_NE(page, nullptr);
    EXPECT_FALSE(wizard_.Ticked(IDC_NETWORKCHK_PING));
    EXPECT_FALSE(wizard_.Enabled(IDC_NETWORKCHK_PING));
    wizard_.ExpectShownInFull(L"wizard_page5_network_check.png");
    ASSERT_TRUE(wizard_.Cancel());

    // DHCP keeps it; the URL is typed only for the HTTP check.
    page = OpenAt(kDhcpRow, kCheckPage);
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(wizard_.Ticked(IDC_NETWORKCHK_PING));
    EXPECT_TRUE(wizard_.Enabled(IDC_NETWORKCHK_PING));
    EXPECT_FALSE(wizard_.Enabled(IDC_NETWORKCHK_URL_EDIT));
    ASSERT_TRUE(wizard_.Tick(IDC_NETWORKCHK_URL));
    EXPECT_TRUE(wizard_.Enabled(IDC_NETWORKCHK_URL_EDIT));
    wizard_.SetText(IDC_NETWORKCHK_URL_EDIT, L"");
    wizard_.ExpectRefusedNext(L"プロキシ設定確認を行うURLが未入力です。\r\nプロキシ設定確認を行うURLを入力してください。",
                  IDC_NETWORKCHK_URL_EDIT);

    // Back stores the ticked box and the empty URL without a word.
    ASSERT_TRUE(wizard_.Press(ID_WIZBACK));
    ASSERT_TRUE(gui::WaitUntil([&] { return wizard_.Page() != page; }));
    ASSERT_EQ(wizard_.Next(), page);
    EXPECT_TRUE(wizard_.Ticked(IDC_NETWORKCHK_URL));
    EXPECT_EQ(gui::WindowText(wizard_.Item(IDC_NETWORKCHK_URL_EDIT)), L"");
}

TEST_F(OptionPages, ApplicationPathIsRequiredDroppedOrChosen) {
    HWND page = OpenAt(kDhcpRow, kAppPage);
    ASSERT_NE(page, nullptr);
    for (int id : {IDC_RUNAPP_PATH, IDC_RUNAPP_BROWSE, IDC_RUNAPP_ARGUMENTS}) EXPECT_FALSE(wizard_.Enabled(id)) << id;
    ASSERT_TRUE(wizard_.Tick(IDC_RUNAPP_RUN));
    for (int id : {IDC_RUNAPP_PATH, IDC_RUNAPP_BROWSE, IDC_RUNAPP_ARGUMENTS}) EXPECT_TRUE(wizard_.Enabled(id)) << id;
    wizard_.ExpectRefusedNext(L"アプリケーションパスが未入力です。\r\nアプリケーションパスを入力してください。", IDC_RUNAPP_PATH);

    const std::wstring folder = testsupport::TempDir();
    const std::wstring dropped = MakeFile(folder, L"接続後.exe");
    ASSERT_TRUE(gui::DropFiles(wizard_.Item(IDC_RUNAPP_PATH), {dropped}));
    EXPECT_TRUE(gui::WaitForText(wizard_.Item(IDC_RUNAPP_PATH), dropped));
    wizard_.ExpectShownInFull(L"wizard_page6_application.png");

    // "参照" lists the folder's files; the one chosen replaces the path and
    // the options typed for the old one.
    wizard_.SetText(IDC_RUNAPP_ARGUMENTS, L"/old");
    MakeFile(folder, L"選択.exe");
    ASSERT_TRUE(gui::Click(wizard_.Item(IDC_RUNAPP_BROWSE)));
    HWND chooser = gui::WaitForFileDialog(app_->ProcessId());
    ASSERT_NE(chooser, nullptr);
    ASSERT_TRUE(gui::EnterFileName(chooser, folder));  // opens the folder
    EXPECT_TRUE(gui::WaitUntil([&] {
        // A new view for each folder: the one shown may go at any moment.
        for (const std::wstring& row : gui::ListViewRows(gui::FindChildByClass(chooser, L"SysListView32")))
            if (row.find(L"選択") == 0) return true;
        return false;
    })) << "the chooser lists no file";
    ASSERT_TRUE(gui::EnterFileName(chooser, L"選択.exe"));
    ASSERT_TRUE(gui::WaitForWindowGone(chooser));
    EXPECT_TRUE(gui::WaitForText(wizard_.Item(IDC_RUNAPP_PATH), folder + L"\\選択.exe"));
    EXPECT_EQ(gui::WindowText(wizard_.Item(IDC_RUNAPP_ARGUMENTS)), L"");
}

TEST_F(OptionPages, PrinterListShowsTheSpoolersPrintersAndSelectsTheStoredOne) {
    const std::vector<std::wstring> spooler = SpoolerPrinterNames();
    for (const wchar_t* seeded : {kPrinterA, kPrinterB})
        ASSERT_NE(std::find(spooler.begin(), spooler.end(), seeded), spooler.end()) << Narrow(seeded);

    HWND page = OpenAt(kFixedRow, kPrinterPage);
    ASSERT_NE(page, nullptr);
    HWND list = wizard_.Item(IDC_PRINTER_LIST);
    EXPECT_EQ(gui::ListViewRows(list), spooler);
    ASSERT_GE(gui::ListViewSelected(list), 0);
    EXPECT_EQ(gui::ListViewText(list, gui::ListViewSelected(list)), kPrinterB);
    EXPECT_TRUE(wizard_.Ticked(IDC_PRINTER_SET));
    EXPECT_TRUE(wizard_.Enabled(IDC_PRINTER_LIST));
    wizard_.ExpectShownInFull(L"wizard_page7_printer.png");
    ASSERT_TRUE(wizard_.Tick(IDC_PRINTER_SET));
    EXPECT_FALSE(wizard_.Enabled(IDC_PRINTER_LIST));
    ASSERT_TRUE(wizard_.Cancel());

    // The stored printer is gone: nothing is selected, and ticking the box
    // without choosing is refused.
    page = OpenAt(kDhcpRow, kPrinterPage);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(gui::ListViewSelected(wizard_.Item(IDC_PRINTER_LIST)), -1);
    EXPECT_FALSE(wizard_.Enabled(IDC_PRINTER_LIST));
    ASSERT_TRUE(wizard_.Tick(IDC_PRINTER_SET));
    wizard_.ExpectRefusedNext(L"デフォルトプリンタが選択されていません。\r\nデフォルトプリンタを選択してください。",
                  IDC_PRINTER_SET);
}

TEST_F(OptionPages, ConfirmationOffersBackAndFinishStoresThePages) {
    const std::wstring renamed = L"DHCP 確認済み";  // the row's new text tells when the program is done
    HWND page = OpenAt(kDhcpRow, kCheckPage, renamed.c_str());
    ASSERT_NE(page, nullptr);
    ASSERT_TRUE(wizard_.Tick(IDC_NETWORKCHK_URL));
    wizard_.SetText(IDC_NETWORKCHK_URL_EDIT, L"http://127.0.0.1/確認");
    page = wizard_.Next();
    ASSERT_NE(page, nullptr);
    ASSERT_TRUE(wizard_.Tick(IDC_RUNAPP_RUN));
    wizard_.SetText(IDC_RUNAPP_PATH, L"C:\\tools\\vpn.exe");
    wizard_.SetText(IDC_RUNAPP_ARGUMENTS, L"/connect office");
    page = wizard_.Next();
    ASSERT_NE(page, nullptr);
    ASSERT_TRUE(wizard_.Tick(IDC_PRINTER_SET));
    const std::vector<std::wstring> spooler = SpoolerPrinterNames();
    const int rowA = static_cast<int>(std::find(spooler.begin(), spooler.end(), kPrinterA) - spooler.begin());
    ASSERT_TRUE(gui::ListViewSelect(wizard_.Item(IDC_PRINTER_LIST), rowA));
    HWND confirm = wizard_.Next();
    ASSERT_NE(confirm, nullptr);

    // Finish is shown in place of Next, beside Back, which stays offered.
    HWND back = wizard_.Button(ID_WIZBACK);
    ASSERT_TRUE(wizard_.WaitForFinishOffered());
    EXPECT_TRUE(IsWindowVisible(back) && IsWindowEnabled(back));
    const std::wstring summary = gui::WindowText(wizard_.Item(IDC_CONFIRM_SUMMARY));
    EXPECT_NE(summary.find(L"ネットワーク接続確認\r\n  デフォルトゲートウェイにPingで通信確認を行う\r\n"
                           L"  プロキシ設定確認の通信確認を行う\r\n    http://127.0.0.1/確認\r\n"
                           L"ネットワーク設定後アプリケーションの起動の設定\r\n"
                           L"  起動アプリケーション：C:\\tools\\vpn.exe /connect office\r\n"
                           L"デフォルトプリンタの設定\r\n  デフォルトプリンタ：" +
                           std::wstring(kPrinterA) + L"\r\n"),
              std::wstring::npos)
        << Narrow(summary);
    wizard_.ExpectShownInFull(L"wizard_page8_confirmation.png");

    // Back returns to the printer page with the choice kept; Finish stores.
    ASSERT_TRUE(wizard_.Press(ID_WIZBACK));
    ASSERT_TRUE(gui::WaitUntil([&] { return wizard_.Page() == page; }));
    EXPECT_EQ(gui::ListViewSelected(wizard_.Item(IDC_PRINTER_LIST)), rowA);
    ASSERT_EQ(wizard_.Next(), confirm);
    ASSERT_TRUE(wizard_.Finish());
    // The row takes the new name, then the same handler writes the data file.
    ASSERT_TRUE(gui::WaitUntil([&] { return gui::ListViewText(app_->List(), kDhcpRow) == renamed; }));
    ASSERT_TRUE(gui::Sync(app_->Main()));
    std::vector<CProfileData> stored;
    ASSERT_TRUE(app_->ReadProfiles(&stored));
    ASSERT_EQ(stored.size(), 2u);
    const CProfileData& p = stored[kDhcpRow];
    EXPECT_EQ(W(p.GetText(ProfileText::profileName)), renamed);
    EXPECT_EQ(p.Record().runAppEnabled, 1);
    EXPECT_EQ(p.Record().checkUrlEnabled, 1);
    EXPECT_EQ(p.Record().checkPingGateway, 1);
    EXPECT_EQ(Narrow(W(p.GetText(ProfileText::checkUrl))), "http://127.0.0.1/確認");
    EXPECT_EQ(Narrow(W(p.GetText(ProfileText::appPath))), "C:\\tools\\vpn.exe");
    EXPECT_EQ(Narrow(W(p.GetText(ProfileText::appArguments))), "/connect office");
    EXPECT_EQ(p.Record().setDefaultPrinter, 1);
    EXPECT_EQ(W(p.GetText(ProfileText::printerName)), kPrinterA);
}

}  // namespace
