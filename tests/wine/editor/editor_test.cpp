// Relabrin (Tolvik_EditProfile.exe) run as a process beside Ortivo: who may
// run when, the window's edits and what they save, the command line of a
// deployment script and how the main program sees the data file afterwards.
#include <windows.h>

#include <gtest/gtest.h>

#include <thread>

#include "editor/EditorResource.h"
#include "editor/ProfileJson.h"
#include "editor/win/CommandRun.h"
#include "editor/win/DataFileWriteAccess.h"
#include "editor/win/EditProfileApp.h"
#include "framework/win/WideText.h"
#include "profile/win/GeneratHashMgr.h"
#include "profile/win/ProfileFileAccess.h"
#include "system/win/RegAccess.h"
#include "tests/wine/support/DataFileGuard.h"
#include "tests/wine/support/MainWindowDriver.h"
#include "tests/wine/support/InternetSettings.h"
#include "tests/wine/support/TestSupport.h"

namespace {

constexpr DWORD kLimitMs = 60000;

std::wstring Tool() { return testsupport::ExeDir() + L"\\Tolvik_EditProfile.exe"; }

// What the tool wrote for the script, in the code page scripts read it in.
std::wstring FromOem(const std::string& bytes) {
    std::wstring text(bytes.size(), L'\0');
    const int n = MultiByteToWideChar(932, 0, bytes.data(), static_cast<int>(bytes.size()), &text[0],
                                      static_cast<int>(text.size()));
    text.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    return text;
}

// A whole file as text (JSON) or as the bytes compared.
std::string FileText(const std::wstring& path) {
    const std::vector<uint8_t> bytes = testsupport::FileBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

std::vector<BYTE> StoredDigest() {
    uint8_t digest[20] = {};
    return CRegAccess().ReadDatData(digest) ? std::vector<BYTE>(digest, digest + 20) : std::vector<BYTE>();
}

class Relabrin : public ::testing::Test {
protected:
    // The tool started with a window, and that window.
    HWND StartWindow() {
        tool_ = gui::StartProgram(Tool());
        return gui::WaitForTopLevel({gui::kDialogClass, L"Relabrin", tool_.Id()}, kLimitMs);
    }

    // A run without a window: its exit code, what it wrote for the script.
    long RunCommand(const std::wstring& args, std::wstring* out = nullptr, std::wstring* err = nullptr) {
        gui::CapturedOutput captured;
        const long code = gui::RunProgram(Tool(), args, kLimitMs, std::wstring(), &captured);
        if (out) *out = FromOem(captured.out);
        if (err) *err = FromOem(captured.err);
        return code;
    }

    // The tool's next message box: caption "Relabrin", this text and icon, answered.
    void ExpectBox(const std::wstring& text, gui::BoxIcon icon, int answer = IDOK) {
        gui::ExpectMessageBox(tool_.Id(), text, icon, answer, kLimitMs, L"Relabrin");
    }

    void ExpectToolEnds() {
        DWORD code = 1;
        ASSERT_TRUE(tool_.WaitForExit(kLimitMs, &code)) << "the tool is still running";
        EXPECT_EQ(code, 0u);
    }

    static std::vector<std::wstring> Rows(HWND window, int column = 0) {
        return gui::ListViewRows(GetDlgItem(window, IDC_EDITOR_LIST), column);
    }

    static gui::Outcome RowsAre(HWND window, const std::vector<std::wstring>& expected) {
        return gui::WaitUntil([&] { return gui::TextsAre(Rows(window), expected); });
    }

    gui::Outcome FileHolds(const std::vector<std::wstring>& expected) const {
        std::vector<std::wstring> names;
        return gui::WaitUntil([&] {
            const gui::Outcome read = app_.ReadDataFile(&names);
            return read ? gui::TextsAre(names, expected) : read;
        });
    }

    // Selects a row and presses one of the buttons beside the list.
    static void Press(HWND window, int row, int button) {
        ASSERT_TRUE(gui::ListViewSelect(GetDlgItem(window, IDC_EDITOR_LIST), row));
        ASSERT_TRUE(gui::ClickWhenEnabled(GetDlgItem(window, button)));
    }

    // Answers the system's file dialog that the tool opens with `path`.
    void ChooseFile(HWND window, const std::wstring& path) {
        const HWND dialog = gui::WaitForFileDialog(tool_.Id(), window, kLimitMs);
        ASSERT_NE(dialog, nullptr) << "no file dialog";
        ASSERT_TRUE(gui::EnterFileName(dialog, path));
        ASSERT_TRUE(gui::WaitForWindowGone(dialog, kLimitMs));
    }

    MainWindowDriver app_;  // puts back the data file and the stored digest
    gui::Program tool_;
};

TEST_F(Relabrin, TheToolAndOrtivoNeverRunTogetherAndASecondStartBringsTheFirstBack) {
    ASSERT_TRUE(app_.WriteDataFile(std::vector<std::wstring>{L"Office", L"Home"}));
    const std::wstring ortivoRuns =
        L"このコンピューターでOrtivoが実行されているため実行できません。\r\nOrtivoを終了後起動してください。";
    const std::wstring relabrinRuns = L"このコンピューターでRelabrinが実行されているため実行できません。";

    // Ortivo runs: the tool says so and ends, with its window and without.
    ASSERT_TRUE(app_.StartToMain());
    tool_ = gui::StartProgram(Tool());
    ExpectBox(ortivoRuns, gui::BoxIcon::Error);
    ASSERT_TRUE(tool_.WaitForExit(kLimitMs));
    std::wstring err;
    EXPECT_EQ(RunCommand(L"/export x.json", nullptr, &err), 2);
    EXPECT_EQ(testsupport::Narrow(err), testsupport::Narrow(ortivoRuns + L"\r\n"));
    ASSERT_TRUE(gui::Click(app_.Control(IDOK)));
    ASSERT_TRUE(app_.WaitForExit());

    // The tool runs: Ortivo says 182, a second tool brings the first back.
    const HWND window = StartWindow();
    ASSERT_NE(window, nullptr);
    gui::SaveScreenshot(window, L"relabrin_window.png");
    ASSERT_TRUE(app_.Start());
    app_.ExpectBox(testsupport::ExpectedText(182), gui::BoxIcon::Error);
    ASSERT_TRUE(app_.WaitForExit());
    ShowWindow(window, SW_MINIMIZE);
    ASSERT_TRUE(gui::WaitUntil([&] { return IsIconic(window) != FALSE; }));
    EXPECT_EQ(gui::RunProgram(Tool(), L"", kLimitMs), 0);
    EXPECT_TRUE(gui::WaitUntil([&] { return IsIconic(window) == FALSE; })) << "the first window stayed minimised";
    EXPECT_EQ(RunCommand(L"/export x.json", nullptr, &err), 2);
    EXPECT_EQ(testsupport::Narrow(err), testsupport::Narrow(relabrinRuns + L"\r\n"));
    PostMessageW(window, WM_CLOSE, 0, 0);  // nothing changed: no question
    ExpectToolEnds();
}

TEST_F(Relabrin, EditsAreSavedInOrderAndOrtivoListsAndNumbersThemSo) {
    ASSERT_TRUE(app_.WriteDataFile({MainWindowDriver::Profile(L"A", L"LAN A"),
                                    MainWindowDriver::Profile(L"B", L"LAN B"),
                                    MainWindowDriver::Profile(L"C", L"LAN C")}));
    const std::vector<BYTE> digest = StoredDigest();
    ASSERT_FALSE(digest.empty());
    const HWND window = StartWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(RowsAre(window, {L"A", L"B", L"C"}));
    EXPECT_EQ(Rows(window, 1), (std::vector<std::wstring>{L"LAN A", L"LAN B", L"LAN C"}));
    EXPECT_EQ(Rows(window, 2), (std::vector<std::wstring>{L"DHCP", L"DHCP", L"DHCP"}));
    const HWND save = GetDlgItem(window, IDC_EDITOR_SAVE);
    EXPECT_FALSE(IsWindowEnabled(save)) << "nothing to save yet";

    Press(window, 0, IDC_EDITOR_DOWN);
    ASSERT_TRUE(RowsAre(window, {L"B", L"A", L"C"}));
    EXPECT_TRUE(FileHolds({L"A", L"B", L"C"})) << "written before 保存";
    ASSERT_TRUE(gui::ClickWhenEnabled(save));
    // The file is read once 保存 greys out, the tool's sign that it saved:
    // under Wine no file can be renamed over one that a reader holds open.
    ASSERT_TRUE(gui::WaitUntil([&] { return gui::Outcome(!IsWindowEnabled(save)) << "保存 stayed enabled"; }));
    ASSERT_TRUE(FileHolds({L"B", L"A", L"C"}));
    EXPECT_EQ(StoredDigest(), digest) << "the tool stored a digest";

    Press(window, 1, IDC_EDITOR_COPY);
    ASSERT_TRUE(RowsAre(window, {L"B", L"A", L"A - コピー", L"C"}));
    ASSERT_TRUE(gui::ListViewSelect(GetDlgItem(window, IDC_EDITOR_LIST), 0));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(window, IDC_EDITOR_UP))) << "the first row cannot go up";
    Press(window, 1, IDC_EDITOR_UP);
    ASSERT_TRUE(RowsAre(window, {L"A", L"B", L"A - コピー", L"C"}));
    Press(window, 0, IDC_EDITOR_DOWN);
    ASSERT_TRUE(RowsAre(window, {L"B", L"A", L"A - コピー", L"C"}));

    // Rename: the name page's rules with its messages.
    Press(window, 0, IDC_EDITOR_RENAME);
    const HWND rename = gui::WaitForTopLevel({gui::kDialogClass, L"名前の変更", tool_.Id()}, kLimitMs);
    ASSERT_NE(rename, nullptr);
    const HWND edit = GetDlgItem(rename, IDC_RENAME_NAME);
    for (const wchar_t* name : {L"A", L"Bee"}) {
        ASSERT_TRUE(gui::ReplaceText(edit, name));
        ASSERT_TRUE(gui::Click(GetDlgItem(rename, IDOK)));
        if (std::wstring(name) == L"A")
            ExpectBox(testsupport::ExpectedText(160), gui::BoxIcon::Error);
    }
    ASSERT_TRUE(gui::WaitForWindowGone(rename, kLimitMs));
    ASSERT_TRUE(RowsAre(window, {L"Bee", L"A", L"A - コピー", L"C"}));

    Press(window, 3, IDC_EDITOR_DELETE);
    ExpectBox(L"[C]を削除しますか？", gui::BoxIcon::Question, IDYES);
    ASSERT_TRUE(RowsAre(window, {L"Bee", L"A", L"A - コピー"}));

    // Closing with unsaved changes asks; Cancel keeps the window.
    PostMessageW(window, WM_CLOSE, 0, 0);
    ExpectBox(L"プロファイルの変更が保存されていません。\r\n保存しますか？", gui::BoxIcon::Question, IDCANCEL);
    EXPECT_TRUE(FileHolds({L"B", L"A", L"C"}));
    PostMessageW(window, WM_CLOSE, 0, 0);
    ExpectBox(L"プロファイルの変更が保存されていません。\r\n保存しますか？", gui::BoxIcon::Question, IDYES);
    ExpectToolEnds();
    ASSERT_TRUE(FileHolds({L"Bee", L"A", L"A - コピー"}));

    // Ortivo lists them in that order and numbers them 1, 2, 3.
    ASSERT_TRUE(app_.StartToMain());
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(gui::ListViewText(app_.List(), row), (std::vector<std::wstring>{L"Bee", L"A", L"A - コピー"}[row]));
        EXPECT_EQ(gui::ListViewData(app_.List(), row), row + 1);
    }
    ASSERT_TRUE(gui::Click(app_.Control(IDOK)));
    ASSERT_TRUE(app_.WaitForExit());
}

TEST_F(Relabrin, TheWindowExportsTheSelectedProfileAndImportsItAddingOrReplacing) {
    ASSERT_TRUE(app_.WriteDataFile(std::vector<std::wstring>{L"A", L"B"}));
    const std::wstring file = testsupport::TempDir() + L"\\selected.json";
    const HWND window = StartWindow();
    ASSERT_NE(window, nullptr);
    Press(window, 1, IDC_EDITOR_EXPORT_SOME);
    ChooseFile(window, file);
    ExpectBox(L"1個のプロファイルを" + file + L"にエクスポートしました。", gui::BoxIcon::Information);
    std::vector<CProfileData> exported;
    ASSERT_FALSE(profilejson::Read(FileText(file), exported).Failed());
    ASSERT_EQ(exported.size(), 1u);
    EXPECT_EQ(exported[0].GetText(ProfileText::profileName), u"B");

    const std::wstring question = L"読み込んだプロファイルで、現在のプロファイルをすべて置き換えますか？\r\n\r\n"
                                  L"「はい」：すべて置き換える\r\n「いいえ」：現在のプロファイルの後に追加する";
    ASSERT_TRUE(gui::ClickWhenEnabled(GetDlgItem(window, IDC_EDITOR_IMPORT)));
    ChooseFile(window, file);
    ExpectBox(question, gui::BoxIcon::Question, IDNO);
    ExpectBox(L"インポートできませんでした。プロファイルデータは変更されていません。\r\nプロファイル1「B」の「profileName」：\r\n" +
                  testsupport::ExpectedText(160),
              gui::BoxIcon::Error);
    EXPECT_TRUE(RowsAre(window, {L"A", L"B"}));
    ASSERT_TRUE(gui::ClickWhenEnabled(GetDlgItem(window, IDC_EDITOR_IMPORT)));
    ChooseFile(window, file);
    ExpectBox(question, gui::BoxIcon::Question, IDYES);
    ASSERT_TRUE(RowsAre(window, {L"B"}));

    PostMessageW(window, WM_CLOSE, 0, 0);
    ExpectBox(L"プロファイルの変更が保存されていません。\r\n保存しますか？", gui::BoxIcon::Question, IDNO);
    ExpectToolEnds();
    EXPECT_TRUE(FileHolds({L"A", L"B"})) << "not saved: the data file stays";
}

// A profile of the kind IT departments deploy: fixed address, own DNS
// servers, a proxy with exceptions, a check, an application and a printer.
// (Its check needs no network: should a test ever apply it, nothing leaves
// this machine.)
CProfileData Deployed(const std::wstring& name, uint32_t address) {
    CProfileData p = MainWindowDriver::Profile(name, L"ローカル エリア接続");
    ProfileRecord& r = p.Record();
    r.ipMode = 1;
    r.ipAddress = address;
    r.subnetMask = 0xFFFFFF00;
    r.defaultGateway = (address & 0xFFFFFF00) | 1;
    r.dnsMode = 1;
    r.preferredDns = (address & 0xFFFFFF00) | 2;
    r.proxyMode = 2;
    p.SetText(ProfileText::httpProxyServer, u"127.0.0.1");
    r.httpProxyPort = 3128;
    p.SetText(ProfileText::proxyBypassList, u"*.example.test\r\n10.*");
    r.checkDhcp = 1;
    r.runAppEnabled = 1;
    p.SetText(ProfileText::appPath, u"C:\\Tools\\接続.exe");
    r.setDefaultPrinter = 1;
    p.SetText(ProfileText::printerName, u"サンプル プリンタ (オフィス)");
    return p;
}

// A profile the wizard never makes (a fixed address with automatic DNS, as
// an older version or another program may have stored it) goes into no
// export file, from a script or from the window; both say where and why.
TEST_F(Relabrin, AnExportThatTheImportWouldRefuseWritesNothing) {
    CProfileData autoDns = Deployed(L"Branch", 0xAC100A05);
    autoDns.Record().dnsMode = 0;
    ASSERT_TRUE(app_.WriteDataFile({Deployed(L"Office", 0xC0A8010A), autoDns}));
    const std::wstring file = testsupport::TempDir() + L"\\refused.json";
    DeleteFileW(file.c_str());
    const std::wstring refusal =
        L"エクスポートできませんでした。このファイルはインポートできないため、書き込まれていません。\r\n"
        L"プロファイル2「Branch」の「dnsMode」：\r\n固定IP（ipMode 1）ではDNSサーバを手動設定（dnsMode 1）にしてください。";
    std::wstring err;
    EXPECT_EQ(RunCommand(L"/export \"" + file + L"\"", nullptr, &err), 5);
    EXPECT_EQ(testsupport::Narrow(err), testsupport::Narrow(refusal + L"\r\n"));
    EXPECT_EQ(GetFileAttributesW(file.c_str()), INVALID_FILE_ATTRIBUTES) << "the script's export wrote a file";

    const HWND window = StartWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(gui::ClickWhenEnabled(GetDlgItem(window, IDC_EDITOR_EXPORT_ALL)));
    ChooseFile(window, file);
    ExpectBox(refusal, gui::BoxIcon::Error);
    EXPECT_EQ(GetFileAttributesW(file.c_str()), INVALID_FILE_ATTRIBUTES) << "the window's export wrote a file";
    PostMessageW(window, WM_CLOSE, 0, 0);
    ExpectToolEnds();
}

TEST_F(Relabrin, AScriptExportsAndImportsByteForByteAndABadFileChangesNothing) {
    CInternetSettingsGuard internet;  // should Ortivo ever apply a profile here, its proxy goes again
    CProfileData branch = Deployed(L"Branch", 0xAC100A05);
    branch.Extension().dnsSuffix = u"branch.example";  // the profile file's version 2 carries it
    ASSERT_TRUE(app_.WriteDataFile({Deployed(L"Office", 0xC0A8010A), branch}));
    const std::wstring dataFile = CommonDataFilePath();
    const std::string original = FileText(dataFile);
    const std::string extensions = FileText(CDataFileGuard::ExtensionPath());
    const std::wstring exported = testsupport::TempDir() + L"\\profiles.json";
    std::wstring out, err;
    ASSERT_EQ(RunCommand(L"/export \"" + exported + L"\"", &out), 0);
    EXPECT_EQ(testsupport::Narrow(out), testsupport::Narrow(L"2個のプロファイルを" + exported + L"にエクスポートしました。\r\n"));
    EXPECT_NE(FileText(exported).find("\"dnsSuffix\": \"branch.example\""), std::string::npos);

    // Another computer's profiles (their digest stored), then the deployment.
    ASSERT_TRUE(app_.WriteDataFile(std::vector<std::wstring>{L"Elsewhere"}));
    ASSERT_EQ(RunCommand(L"/import \"" + exported + L"\"", &out), 0);
    EXPECT_EQ(testsupport::Narrow(out), testsupport::Narrow(L"2個のプロファイルをインポートしました。\r\n"));
    EXPECT_TRUE(FileText(dataFile) == original) << "the data file differs from the exported one";
    EXPECT_EQ(FileText(CDataFileGuard::ExtensionPath()), extensions) << "the extension file differs";

    // Refused files leave the data file as it is and say why.
    const std::string text = FileText(exported);
    const std::wstring bad = testsupport::TempDir() + L"\\bad.json";
    const std::size_t at = text.find("\"172.16.10.5\"");
    ASSERT_NE(at, std::string::npos);
    const std::string badText = std::string(text).replace(at, 13, "\"172.16.10.500\"");
    ASSERT_TRUE(testsupport::WriteFileBytes(bad, std::vector<uint8_t>(badText.begin(), badText.end())));
    EXPECT_EQ(RunCommand(L"/import \"" + bad + L"\"", nullptr, &err), 5);
    EXPECT_EQ(testsupport::Narrow(err),
              testsupport::Narrow(L"インポートできませんでした。プロファイルデータは変更されていません。\r\n"
                                  L"プロファイル2「Branch」の「ipAddress」：\r\n"
                                  L"IPv4アドレス（例：192.168.1.10）ではありません。\r\n"));
    EXPECT_EQ(RunCommand(L"/import \"" + exported + L"\" /append", nullptr, &err), 5);
    EXPECT_NE(err.find(L"プロファイル1「Office」の「profileName」：\r\nプロファイル名が重複しています。"),
              std::wstring::npos)
        << testsupport::Narrow(err);
    EXPECT_EQ(RunCommand(L"/import", nullptr, &err), 1);
    EXPECT_TRUE(FileText(dataFile) == original) << "a refused import changed the data file";

    // The digest stored for the other profiles no longer matches: a start
    // from a jump-list task rebuilds the list instead of applying a profile.
    ASSERT_TRUE(app_.Start(L"/RunProfile1"));
    app_.ExpectBox(testsupport::ExpectedText(188), gui::BoxIcon::Information);
    ASSERT_TRUE(app_.WaitForExit());
}

// A user who may not write the data file (the tool's code runs here, where
// the system's answer is "access denied") is told so by the window, which
// does not open, and by /import (exit code 3); nothing is written.
TEST_F(Relabrin, AUserWhoMayNotWriteTheDataFileIsToldSoAndNothingIsWritten) {
    const std::wstring file = testsupport::TempDir() + L"\\deployed.json", errors = file + L".errors";
    ASSERT_TRUE(app_.WriteDataFile(std::vector<std::wstring>{L"A", L"B"}));
    ASSERT_EQ(RunCommand(L"/export \"" + file + L"\""), 0);
    ASSERT_TRUE(app_.WriteDataFile(std::vector<std::wstring>{L"C"}));
    const std::string before = FileText(CommonDataFilePath());
    allowsNewFileIn = [](const std::wstring&) { return false; };
    CFileHandle errorFile(CreateFileW(errors.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    const HANDLE ownErrors = GetStdHandle(STD_ERROR_HANDLE);
    SetStdHandle(STD_ERROR_HANDLE, errorFile.Get());  // the script's
    const int scriptCode = ::RunCommand({EditorCommand::Kind::importFile, T(file), false}, testsupport::ExeDir());
    SetStdHandle(STD_ERROR_HANDLE, ownErrors);
    errorFile.Reset();
    int windowCode = 0;
    std::thread window([&] { windowCode = RunToolWindow(testsupport::ExeDir()); });
    const std::wstring refusal = L"プロファイルデータへの書き込みが許可されていないため実行できません。\r\n"
                                 L"プロファイルの変更は管理者に依頼してください。";
    gui::ExpectMessageBox(GetCurrentProcessId(), refusal, gui::BoxIcon::Error, IDOK, kLimitMs, L"Relabrin");
    const auto isToolWindow = [](HWND w) { return GetDlgItem(w, IDC_EDITOR_LIST) != nullptr; };
    if (HWND opened = gui::WaitForDialog(GetCurrentProcessId(), isToolWindow, 0)) PostMessageW(opened, WM_CLOSE, 0, 0);
    window.join();
    allowsNewFileIn = SystemAllowsNewFileIn;
    EXPECT_EQ(scriptCode, 3);
    EXPECT_EQ(testsupport::Narrow(FromOem(FileText(errors))), testsupport::Narrow(refusal + L"\r\n"));
    EXPECT_EQ(windowCode, 3);
    EXPECT_TRUE(FileText(CommonDataFilePath()) == before) << "the data file was written";
}

}  // namespace
