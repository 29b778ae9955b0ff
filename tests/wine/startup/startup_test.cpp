// The start-up of Tolvik_Network.exe, run as a process: single instance,
// refusals, the data file and the stale jump-list check, as the user sees
// them in message boxes and windows.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <memory>

#include "app/Messages.h"
#include "framework/win/WideText.h"
#include "profile/win/GeneratHashMgr.h"
#include "profile/win/ProfileFileAccess.h"
#include "system/win/RegAccess.h"
#include "tests/wine/support/GuiDriver.h"
#include "tests/wine/support/RegistrySeed.h"
#include "tests/wine/support/TestSupport.h"

namespace {

constexpr wchar_t kSettingsKey[] = L"SOFTWARE\\Valtrecossin\\Ortivo\\3.00.000";
constexpr DWORD kLimitMs = 30000;

std::wstring MainProgram() { return testsupport::ExeDir() + L"\\Tolvik_Network.exe"; }

std::vector<BYTE> ReadBytes(const std::wstring& path, bool& exists) {
    std::vector<BYTE> bytes;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    exists = file != INVALID_HANDLE_VALUE;
    if (!exists) return bytes;
    BYTE chunk[4096];
    DWORD got = 0;
    while (ReadFile(file, chunk, sizeof(chunk), &got, nullptr) && got > 0) bytes.insert(bytes.end(), chunk, chunk + got);
    CloseHandle(file);
    return bytes;
}

void WriteBytes(const std::wstring& path, const std::vector<BYTE>& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

bool ReadDigestValue(std::vector<BYTE>& value) {
    BYTE data[64];
    DWORD size = sizeof(data);
    if (RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, L"DatData", RRF_RT_REG_BINARY, nullptr, data, &size) !=
        ERROR_SUCCESS)
        return false;
    value.assign(data, data + size);
    return true;
}

void WriteDigestValue(const std::vector<BYTE>& value) {
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, kSettingsKey, L"DatData", REG_BINARY, value.data(),
                              static_cast<DWORD>(value.size())),
              ERROR_SUCCESS);
}

void DeleteDigestValue() { RegDeleteKeyValueW(HKEY_CURRENT_USER, kSettingsKey, L"DatData"); }

// A hidden dialog-class window with a given title that records the
// messages of the system it receives, as a running main window would.
class FakeMainWindow {
public:
    explicit FakeMainWindow(const wchar_t* title) {
        std::vector<WORD> t(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
        auto* d = reinterpret_cast<DLGTEMPLATE*>(t.data());
        d->style = WS_POPUP | WS_CAPTION;
        d->cx = 100;
        d->cy = 50;
        t.push_back(0);
        t.push_back(0);
        for (const wchar_t* c = title; *c; ++c) t.push_back(*c);
        t.push_back(0);
        window_ = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<DLGTEMPLATE*>(t.data()),
                                             nullptr, Proc, reinterpret_cast<LPARAM>(this));
    }
    ~FakeMainWindow() { DestroyWindow(window_); }
    HWND Handle() const { return window_; }
    std::vector<std::pair<UINT, WPARAM>> received;

private:
    static INT_PTR CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_INITDIALOG) SetWindowLongPtrW(window, DWLP_USER, lParam);
        auto* self = reinterpret_cast<FakeMainWindow*>(GetWindowLongPtrW(window, DWLP_USER));
        if (self != nullptr && message >= WM_APP && message <= 0xBFFF) {
            self->received.push_back({message, wParam});
            return TRUE;
        }
        return FALSE;
    }
    HWND window_ = nullptr;
};

// Puts back the data file and the stored digest after each test; the
// recording stand-ins take the place of netsh and ipconfig.
class Startup : public ::testing::Test {
protected:
    void SetUp() override {
        dataFile_ = CommonDataFilePath();
        ASSERT_FALSE(dataFile_.empty());
        // The installer's part: the program expects the data folder to exist.
        const std::wstring folder = dataFile_.substr(0, dataFile_.rfind(L'\\'));
        CreateDirectoryW(folder.substr(0, folder.rfind(L'\\')).c_str(), nullptr);
        createdFolder_ = CreateDirectoryW(folder.c_str(), nullptr) != FALSE;
        folder_ = folder;
        savedFile_ = ReadBytes(dataFile_, fileExisted_);
        digestExisted_ = ReadDigestValue(savedDigest_);
        ASSERT_TRUE(testsupport::InstallStandIn(testsupport::SystemDir() + L"\\netsh.exe"));
        ASSERT_TRUE(testsupport::InstallStandIn(testsupport::SystemDir() + L"\\ipconfig.exe"));
        testsupport::UseRecordLog(testsupport::TempDir() + L"\\record.log");
        // No hint window shortly after the start.
        settings_ = std::make_unique<CRegistrySeed>();
        ASSERT_TRUE(settings_->SetDword(HKEY_CURRENT_USER, kSettingsKey, L"HideHints", 1));
    }
    void TearDown() override {
        settings_.reset();
        if (fileExisted_)
            WriteBytes(dataFile_, savedFile_);
        else
            DeleteFileW(dataFile_.c_str());
        if (digestExisted_)
            WriteDigestValue(savedDigest_);
        else
            DeleteDigestValue();
        if (createdFolder_) RemoveDirectoryW(folder_.c_str());
    }

    // A data file with these profiles; its digest is stored with it.
    void WriteProfiles(std::initializer_list<const char16_t*> names) {
        CProfileCollection profiles;
        for (const char16_t* name : names) {
            CProfileData p;
            p.SetText(ProfileText::profileName, name);
            p.SetText(ProfileText::connectionName, u"Ortivo Test LAN");
            profiles.Add(p);
        }
        ASSERT_EQ(CProfileFileAccess(profiles, testsupport::ExeDir()).Write(), 0);
    }

    // Waits for the program's message box, checks it and answers OK.
    void ExpectMessageBox(const gui::Program& program, UINT id, gui::BoxIcon icon) {
        gui::MessageBoxInfo box;
        ASSERT_TRUE(gui::WaitForMessageBox(&box, program.Id(), kLimitMs)) << "no message box " << id;
        EXPECT_EQ(box.caption, L"Ortivo");
        EXPECT_EQ(box.text, Expected(id)) << testsupport::Narrow(box.text);
        EXPECT_EQ(box.icon, icon) << gui::BoxIconName(box.icon);
        EXPECT_TRUE(gui::AnswerMessageBox(box.window, IDOK));
    }

    static std::wstring Expected(UINT id) {
        switch (id) {
            case 157: return L"プロファイルデータの読み込みに失敗しました。\r\n本アプリケーションを終了します。";
            case 169: return L"ネットワーク設定の切替えを完了しました。";
            case 180: return L"このコンピューターでOrtivoが実行されているため実行できません。";
            case 181:
                return L"プロファイルが登録されていません。\r\n「Ortivo」画面の「追加」ボタンを押して\r\n"
                       L"接続するネットワーク環境を登録してください。";
            case 182:
                return L"このコンピューターでRelabrinが実行されているため実行できません。\r\n"
                       L"Relabrinを終了後起動してください。";
            case 188:
                return L"プロファイルデータが更新されているため、\r\nジャンプリストを更新します。\r\n"
                       L"再度ジャンプリストを表示してください。";
        }
        return L"?";
    }

    static void ExpectExit(gui::Program& program) {
        DWORD code = 0;
        EXPECT_TRUE(program.WaitForExit(kLimitMs, &code)) << "the program did not end";
    }

    // The program's main window.
    static HWND WaitForMainWindow(const gui::Program& program) {
        gui::WindowQuery query;
        query.className = L"#32770";
        query.title = L"Ortivo";
        query.processId = program.Id();
        return gui::WaitForTopLevel(query, kLimitMs);
    }

    // The names in the main window's profile list.
    static std::vector<std::wstring> ListedProfiles(HWND main) {
        std::vector<std::wstring> names;
        HWND list = GetDlgItem(main, 1002);
        for (int i = 0; i < gui::ListViewCount(list); ++i) names.push_back(gui::ListViewText(list, i));
        return names;
    }

    std::wstring dataFile_, folder_;
    std::vector<BYTE> savedFile_, savedDigest_;
    bool fileExisted_ = false, digestExisted_ = false, createdFolder_ = false;
    std::unique_ptr<CRegistrySeed> settings_;
};

// Holds a named mutex for the test's duration.
class HeldMutex {
public:
    explicit HeldMutex(const wchar_t* name) : mutex_(CreateMutexW(nullptr, TRUE, name)) {}
    ~HeldMutex() {
        if (mutex_) {
            ReleaseMutex(mutex_);
            CloseHandle(mutex_);
        }
    }

private:
    HANDLE mutex_;
};

constexpr wchar_t kInstanceMutex[] = L"Global\\Tolvik_Network By Moxq";

TEST_F(Startup, SecondStartHandsItsProfileNumberToTheRunningWindowAndEndsSilently) {
    HeldMutex first(kInstanceMutex);
    FakeMainWindow main(L"Ortivo");
    ASSERT_FALSE(IsWindowVisible(main.Handle()));
    // A message box would keep the program from ending.
    EXPECT_EQ(testsupport::RunAndPump(MainProgram(), L"/RunProfile2", kLimitMs), 0);
    ASSERT_EQ(main.received.size(), 1u);
    EXPECT_EQ(main.received[0].first, kMsgRunProfile);
    EXPECT_EQ(main.received[0].second, 2u);
    EXPECT_TRUE(IsWindowVisible(main.Handle()));
}

TEST_F(Startup, SecondStartWhileSwitchingOnlyActivatesTheWindow) {
    HeldMutex first(kInstanceMutex);
    FakeMainWindow main(L"Ortivo (ネットワーク設定中)");
    EXPECT_EQ(testsupport::RunAndPump(MainProgram(), L"/RunProfile2", kLimitMs), 0);
    EXPECT_TRUE(main.received.empty());
    EXPECT_TRUE(IsWindowVisible(main.Handle()));
}

TEST_F(Startup, SecondStartThatFindsNoWindowSays180) {
    HeldMutex first(kInstanceMutex);
    gui::Program program = gui::StartProgram(MainProgram(), L"/RunProfile2");
    ExpectMessageBox(program, 180, gui::BoxIcon::Error);
    ExpectExit(program);
}

TEST_F(Startup, BulkEditToolRunningSays182) {
    HeldMutex tool(L"Global\\Tolvik_Network_EditProfile By Moxq");
    gui::Program program = gui::StartProgram(MainProgram());
    ExpectMessageBox(program, 182, gui::BoxIcon::Error);
    ExpectExit(program);
}

TEST_F(Startup, CorruptDataFileSays157) {
    WriteBytes(dataFile_, std::vector<BYTE>(100, 0x5A));
    gui::Program program = gui::StartProgram(MainProgram());
    ExpectMessageBox(program, 157, gui::BoxIcon::Error);
    ExpectExit(program);
}

TEST_F(Startup, MissingDataFileIsCreatedEmptyAndSays181) {
    DeleteFileW(dataFile_.c_str());
    gui::Program program = gui::StartProgram(MainProgram());
    ExpectMessageBox(program, 181, gui::BoxIcon::Information);
    const HWND main = WaitForMainWindow(program);
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(ListedProfiles(main).empty());
    CProfileCollection loaded;
    EXPECT_EQ(CProfileFileAccess(loaded, testsupport::ExeDir()).Read(), 0);
    EXPECT_EQ(loaded.Count(), 0);
    PostMessageW(main, WM_CLOSE, 0, 0);
    ExpectExit(program);
}

TEST_F(Startup, ProfileNumberForAnEmptyFileSays157) {
    WriteProfiles({});
    gui::Program program = gui::StartProgram(MainProgram(), L"/RunProfile1");
    ExpectMessageBox(program, 157, gui::BoxIcon::Error);
    ExpectExit(program);
}

TEST_F(Startup, ChangedDataFileSays188AndAppliesNothing) {
    WriteProfiles({u"Office", u"Home"});
    WriteDigestValue(std::vector<BYTE>(20, 0x5A));  // published for other data
    gui::Program program = gui::StartProgram(MainProgram(), L"/RunProfile1");
    ExpectMessageBox(program, 188, gui::BoxIcon::Information);
    ExpectExit(program);
    EXPECT_TRUE(testsupport::ReadRecords().empty()) << "a switch ran";
    // The digest of the file as it is now was stored.
    std::vector<BYTE> stored;
    ASSERT_TRUE(ReadDigestValue(stored));
    BYTE current[20] = {};
    ASSERT_TRUE(CGeneratHashMgr().GetFileHash(dataFile_, current, 20, CALG_SHA1));
    EXPECT_EQ(stored, std::vector<BYTE>(current, current + 20));
}

TEST_F(Startup, StartWithoutArgumentsShowsTheLoadedProfiles) {
    WriteProfiles({u"Office", u"Home"});
    gui::Program program = gui::StartProgram(MainProgram());
    const HWND main = WaitForMainWindow(program);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(ListedProfiles(main), (std::vector<std::wstring>{L"Office", L"Home"}));
    PostMessageW(main, WM_CLOSE, 0, 0);
    ExpectExit(program);
}

TEST_F(Startup, ProfileNumberWithAnUnchangedFileSwitchesAndEnds) {
    WriteProfiles({u"Office", u"Home"});
    gui::Program program = gui::StartProgram(MainProgram(), L"/RunProfile2");
    ExpectMessageBox(program, 169, gui::BoxIcon::Information);
    ExpectExit(program);
    bool ranNetsh = false;
    for (const testsupport::StandInRecord& r : testsupport::ReadRecords())
        if (r.commandLine.find(L"name=\"Ortivo Test LAN\"") != std::wstring::npos) ranNetsh = true;
    EXPECT_TRUE(ranNetsh);
}

}  // namespace
