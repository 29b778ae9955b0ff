// The start-up of Tolvik_Network.exe, run as a process: single instance,
// refusals, the data file and the stale jump-list check, as the user sees
// them in message boxes and windows.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/Messages.h"
#include "framework/win/WideText.h"
#include "profile/win/GeneratHashMgr.h"
#include "profile/win/ProfileFileAccess.h"
#include "system/win/RegAccess.h"
#include "tests/wine/support/DataFileGuard.h"
#include "tests/wine/support/GuiDriver.h"
#include "tests/wine/support/RegistrySeed.h"
#include "tests/wine/support/TestSupport.h"

namespace {

constexpr DWORD kLimitMs = 30000;

std::wstring MainProgram() { return testsupport::ExeDir() + L"\\Tolvik_Network.exe"; }

bool ReadDigestValue(std::vector<BYTE>& value) {
    DWORD type = REG_NONE;
    return ReadRegistryValue(HKEY_CURRENT_USER, kSettingsKeyPath, L"DatData", &type, &value) && type == REG_BINARY;
}

// Puts back the data file and the stored digest after each test; the
// recording stand-ins take the place of netsh and ipconfig.
class Startup : public ::testing::Test {
protected:
    void SetUp() override {
        dataFile_ = CommonDataFilePath();
        ASSERT_EQ(dataFile_, CDataFileGuard::Path());
        ASSERT_TRUE(settings_.Preserve(HKEY_CURRENT_USER, kSettingsKeyPath, L"DatData"));
        ASSERT_TRUE(testsupport::InstallApplierStandIns());
        // No hint window shortly after the start.
        ASSERT_TRUE(settings_.SetDword(HKEY_CURRENT_USER, kSettingsKeyPath, L"HideHints", 1));
    }

    void WriteDigestValue(const std::vector<BYTE>& value) {
        ASSERT_TRUE(settings_.SetBytes(HKEY_CURRENT_USER, kSettingsKeyPath, L"DatData", REG_BINARY, value.data(),
                                       static_cast<DWORD>(value.size())));
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
    static void ExpectMessageBox(const gui::Program& program, UINT id, gui::BoxIcon icon) {
        gui::ExpectMessageBox(program.Id(), testsupport::ExpectedText(id), icon, IDOK, kLimitMs);
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

    CDataFileGuard dataFileGuard_;
    CRegistrySeed settings_;
    std::wstring dataFile_;
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
    testsupport::RecordingWindow main(L"Ortivo");
    ASSERT_FALSE(IsWindowVisible(main.Handle()));
    // A message box would keep the program from ending.
    EXPECT_EQ(gui::RunProgram(MainProgram(), L"/RunProfile2", kLimitMs), 0);
    ASSERT_EQ(main.Received().size(), 1u);
    EXPECT_EQ(main.Received()[0].message, kMsgRunProfile);
    EXPECT_EQ(main.Received()[0].wParam, 2u);
    EXPECT_TRUE(IsWindowVisible(main.Handle()));
}

TEST_F(Startup, SecondStartWhileSwitchingOnlyActivatesTheWindow) {
    HeldMutex first(kInstanceMutex);
    testsupport::RecordingWindow main(L"Ortivo (ネットワーク設定中)");
    EXPECT_EQ(gui::RunProgram(MainProgram(), L"/RunProfile2", kLimitMs), 0);
    EXPECT_TRUE(main.Received().empty());
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
    ASSERT_TRUE(testsupport::WriteFileBytes(dataFile_, std::vector<uint8_t>(100, 0x5A)));
    gui::Program program = gui::StartProgram(MainProgram());
    ExpectMessageBox(program, 157, gui::BoxIcon::Error);
    ExpectExit(program);
}

TEST_F(Startup, MissingDataFileIsCreatedEmptyAndSays181) {
    ASSERT_TRUE(CDataFileGuard::Remove());
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
