// The start-up of Tolvik_Network.exe, run as a process: single instance,
// refusals, the data file and the stale jump-list check, as the user sees
// them in message boxes and windows; its taskbar identity, run in here.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <thread>

#include "app/Messages.h"
#include "app/win/InstanceMutex.h"
#include "app/win/JumpListManager.h"
#include "app/win/Tolvik_NetworkApp.h"
#include "framework/win/WideText.h"
#include "profile/win/GeneratHashMgr.h"
#include "profile/win/ProfileFileAccess.h"
#include "resources/resource.h"
#include "system/ManagedProfiles.h"
#include "system/win/RegAccess.h"
#include "tests/wine/support/DataFileGuard.h"
#include "tests/wine/support/GuiDriver.h"
#include "tests/wine/support/RegistrySeed.h"
#include "tests/wine/support/TestSupport.h"

namespace {

constexpr DWORD kLimitMs = 30000;
constexpr DWORD kCrowdLimitMs = 180000;  // twenty programs starting on a busy machine

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

    // A data file with these profiles, each for the connection "<name> LAN";
    // its digest is stored with it.
    void WriteProfiles(std::initializer_list<const char16_t*> names) {
        CProfileCollection profiles;
        for (const char16_t* name : names) {
            CProfileData p;
            p.SetText(ProfileText::profileName, name);
            p.SetText(ProfileText::connectionName, std::u16string(name) + u" LAN");
            profiles.Add(p);
        }
        ASSERT_EQ(CProfileFileAccess(profiles, testsupport::ExeDir()).Write(), 0);
    }

    // Waits for the program's message box, checks it and answers OK.
    static void ExpectMessageBox(const gui::Program& program, UINT id, gui::BoxIcon icon) {
        gui::ExpectMessageBox(program.Id(), testsupport::ExpectedText(id), icon, IDOK, kLimitMs);
    }

    // The program ends by itself, with exit code 0.
    static void ExpectExit(gui::Program& program) {
        DWORD code = 1;
        ASSERT_TRUE(program.WaitForExit(kLimitMs, &code)) << "the program did not end";
        EXPECT_EQ(code, 0u);
    }

    // The connection names of the address command lines the applier ran.
    static std::vector<std::wstring> AppliedConnections() {
        std::vector<std::wstring> names;
        for (const std::wstring& line : testsupport::CommandLinesOf(L"netsh.exe")) {
            const std::size_t at = line.find(L"set address name=\"");
            if (at == std::wstring::npos) continue;
            const std::size_t start = at + wcslen(L"set address name=\"");
            names.push_back(line.substr(start, line.find(L'"', start) - start));
        }
        return names;
    }

    // The main dialog of the program (its profile list), shown or not.
    static HWND MainDialogOf(const gui::Program& program) {
        for (HWND w : gui::DialogsOf(program.Id(), false))
            if (GetDlgItem(w, IDC_MAIN_PROFILE_LIST) != nullptr) return w;
        return nullptr;
    }

    // Dialogs of the program with this control, shown or not.
    static int DialogsWith(const gui::Program& program, int controlId) {
        int n = 0;
        for (HWND w : gui::DialogsOf(program.Id(), false)) n += GetDlgItem(w, controlId) != nullptr;
        return n;
    }

    std::vector<std::wstring> SwitchAndEnd(const wchar_t* arguments);

    // The program's main window.
    static HWND WaitForMainWindow(const gui::Program& program) {
        return gui::WaitForTopLevel({gui::kDialogClass, L"Ortivo", program.Id()}, kLimitMs);
    }

    // The names in the main window's profile list.
    static std::vector<std::wstring> ListedProfiles(HWND main) {
        return gui::ListViewRows(GetDlgItem(main, IDC_MAIN_PROFILE_LIST));
    }

    CDataFileGuard dataFileGuard_;
    CRegistrySeed settings_;
    std::wstring dataFile_;
};

// The named mutex held for the test's duration, as by a running program.
CInstanceMutex Hold(const wchar_t* name) { return CInstanceMutex(CreateMutexW(nullptr, TRUE, name)); }

TEST_F(Startup, SecondStartHandsItsProfileNumberToTheRunningWindowAndEndsSilently) {
    const CInstanceMutex first = Hold(kInstanceMutexName);
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
    const CInstanceMutex first = Hold(kInstanceMutexName);
    testsupport::RecordingWindow main(L"Ortivo (ネットワーク設定中)");
    EXPECT_EQ(gui::RunProgram(MainProgram(), L"/RunProfile2", kLimitMs), 0);
    EXPECT_TRUE(main.Received().empty());
    EXPECT_TRUE(IsWindowVisible(main.Handle()));
}

TEST_F(Startup, SecondStartThatFindsNoWindowSays180) {
    const CInstanceMutex first = Hold(kInstanceMutexName);
    gui::Program program = gui::StartProgram(MainProgram(), L"/RunProfile2");
    ExpectMessageBox(program, 180, gui::BoxIcon::Error);
    ExpectExit(program);
}

TEST_F(Startup, BulkEditToolRunningSays182) {
    const CInstanceMutex tool = Hold(kEditToolMutexName);
    gui::Program program = gui::StartProgram(MainProgram());
    ExpectMessageBox(program, 182, gui::BoxIcon::Error);
    ExpectExit(program);
}

// Run in this process, the start-up has handed over its taskbar identity by
// the time its first message box is up: that of a second start (180) and
// that of the bulk-edit tool running (182).
std::vector<std::wstring> identitiesSet;

TEST_F(Startup, TaskbarIdentityIsSetBeforeTheFirstMessageBox) {
    for (const UINT message : {180u, 182u}) {
        const CInstanceMutex held = Hold(message == 180 ? kInstanceMutexName : kEditToolMutexName);
        identitiesSet.clear();
        CTolvik_NetworkApp app;
        app.setTaskbarIdentity = [](PCWSTR id) -> HRESULT {
            identitiesSet.push_back(id);
            return S_OK;
        };
        std::thread start([&] { app.InitInstance(), app.ExitInstance(); });
        gui::MessageBoxInfo box;
        const bool shown = gui::WaitForMessageBox(&box, GetCurrentProcessId(), kLimitMs);
        const std::vector<std::wstring> identities = identitiesSet;
        if (shown) gui::AnswerMessageBox(box.window, IDOK);
        start.join();
        EXPECT_TRUE(shown && box.text == testsupport::ExpectedText(message)) << message;
        EXPECT_EQ(identities, std::vector<std::wstring>{kTaskbarIdentity}) << message;
    }
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

// A start with `arguments` that applies a profile: the switch ends with
// message 169, with no progress window (the option is off), and the program
// ends by itself. The connection names the applier was given.
std::vector<std::wstring> Startup::SwitchAndEnd(const wchar_t* arguments) {
    EXPECT_TRUE(settings_.DeleteValue(HKEY_CURRENT_USER, kSettingsKeyPath, L"ShowSetting"));
    gui::Program program = gui::StartProgram(MainProgram(), arguments);
    gui::MessageBoxInfo done;
    EXPECT_TRUE(gui::WaitForMessageBox(&done, program.Id(), kLimitMs * 4)) << "the switch did not end";
    EXPECT_EQ(DialogsWith(program, IDC_PROGRESS_BAR), 0) << "a progress window was made with the option off";
    ExpectMessageBox(program, 169, gui::BoxIcon::Information);
    ExpectExit(program);
    return AppliedConnections();
}

TEST_F(Startup, ProfileNumberWithAnUnchangedFileSwitchesAndEnds) {
    WriteProfiles({u"Office", u"Home"});
    EXPECT_EQ(SwitchAndEnd(L"/RunProfile2"), std::vector<std::wstring>{L"Home LAN"});
}

// No digest was ever stored (a first run after the installation, say): the
// profile is applied without looking at the jump list.
TEST_F(Startup, ProfileNumberWithoutAStoredDigestIsAppliedWithoutTheCheck) {
    WriteProfiles({u"Office", u"Home"});
    ASSERT_TRUE(settings_.DeleteValue(HKEY_CURRENT_USER, kSettingsKeyPath, L"DatData"));
    EXPECT_EQ(SwitchAndEnd(L"/RunProfile1"), std::vector<std::wstring>{L"Office LAN"});
}

// Managed profiles (the policy value): Add, Edit and Delete disabled, one line
// saying why; closing writes nothing (a program holds the data file, as users
// may not write it: a write would say 158). The jump list's digest is the
// file's as read, so a task applies its profile though another's was stored.
TEST_F(Startup, ManagedProfilesAreAppliedButNeitherChangedNorWritten) {
    ASSERT_TRUE(settings_.SetDword(HKEY_LOCAL_MACHINE, W(kPolicyKey), WPtr(kManagedProfilesPolicy), 1));
    WriteProfiles({u"Office", u"Home"});
    WriteDigestValue(std::vector<BYTE>(20, 0x5A));
    const std::vector<uint8_t> before = testsupport::FileBytes(dataFile_);
    gui::Program program = gui::StartProgram(MainProgram());
    const HWND main = WaitForMainWindow(program);
    ASSERT_TRUE(main && gui::ListViewSelect(GetDlgItem(main, IDC_MAIN_PROFILE_LIST), 0));
    ASSERT_TRUE(gui::WaitUntil([&] { return IsWindowEnabled(GetDlgItem(main, IDC_MAIN_APPLY)) != FALSE; }));
    for (int id : {IDC_MAIN_ADD, IDC_MAIN_EDIT, IDC_MAIN_DELETE}) EXPECT_FALSE(IsWindowEnabled(GetDlgItem(main, id)));
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(main, IDC_MAIN_MANAGED)));
    EXPECT_EQ(gui::WindowText(GetDlgItem(main, IDC_MAIN_MANAGED)), testsupport::ExpectedText(IDS_MANAGED_PROFILES));
    CFileHandle holder = testsupport::HoldFile(dataFile_);
    ASSERT_TRUE(gui::Click(GetDlgItem(main, IDOK)));
    ExpectExit(program);
    holder.Reset();
    EXPECT_EQ(testsupport::FileBytes(dataFile_), before);
    EXPECT_EQ(SwitchAndEnd(L"/RunProfile1"), std::vector<std::wstring>{L"Office LAN"});
}

// Started by the autorun entry, the main window stays out of sight (the
// hint window still comes) until a second start shows it.
TEST_F(Startup, AutoRunStartStaysHiddenUntilASecondStartShowsIt) {
    WriteProfiles({u"Office"});
    ASSERT_TRUE(settings_.DeleteValue(HKEY_CURRENT_USER, kSettingsKeyPath, L"HideHints"));
    gui::Program program = gui::StartProgram(MainProgram(), L"/AutoRun");
    const HWND hint = gui::WaitForDialog(program.Id(), [](HWND w) { return GetDlgItem(w, IDC_HINTS_PICTURE) != nullptr; }, kLimitMs);
    ASSERT_NE(hint, nullptr) << "no hint window";
    const HWND main = MainDialogOf(program);
    ASSERT_NE(main, nullptr);
    EXPECT_FALSE(IsWindowVisible(main)) << "shown with the hint window";
    ASSERT_TRUE(gui::Click(GetDlgItem(hint, IDOK)));
    ASSERT_TRUE(gui::WaitForWindowGone(hint));
    // Its own show request is made once the queue is empty: after these
    // round trips the modal loop has made it.
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(gui::Sync(main));
    EXPECT_FALSE(IsWindowVisible(main)) << "shown without a second start";

    EXPECT_EQ(gui::RunProgram(MainProgram(), L"", kLimitMs), 0);
    EXPECT_TRUE(gui::WaitUntil([&] { return IsWindowVisible(main) != FALSE; }, kLimitMs))
        << "the second start did not show the window";
    PostMessageW(main, WM_CLOSE, 0, 0);
    ExpectExit(program);
}

// The start-up refuses a system below its needs: no WMI (136), Windows
// below 7 (131), Internet Explorer below 6 (130), each checked in turn.
TEST_F(Startup, RefusesToRunWithoutWmiBelowWindows7OrBelowInternetExplorer6) {
    WriteProfiles({u"Office"});
    const std::wstring appDefaults = L"Software\\Wine\\AppDefaults\\Tolvik_Network.exe";
    const std::wstring ieKey = L"Software\\Microsoft\\Internet Explorer";
    struct Case {
        const char* what;
        UINT message;
        std::function<bool(CRegistrySeed&)> seed;
    } cases[] = {
        {"no WMI", 136,
         [&](CRegistrySeed& seed) {
             return seed.SetString(HKEY_CURRENT_USER, appDefaults + L"\\DllOverrides", L"wbemprox", L"");
         }},
        {"Windows Vista", 131,
         [&](CRegistrySeed& seed) { return seed.SetString(HKEY_CURRENT_USER, appDefaults, L"Version", L"vista"); }},
        {"Internet Explorer 5.5", 130,
         [&](CRegistrySeed& seed) {
             return seed.SetString(HKEY_LOCAL_MACHINE, ieKey, L"Version", L"5.50.4807.2300");
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CRegistrySeed seed;
        ASSERT_TRUE(c.seed(seed));
        gui::Program program = gui::StartProgram(MainProgram());
        ExpectMessageBox(program, c.message, gui::BoxIcon::Error);
        ExpectExit(program);
    }
}

// Twenty starts at the same moment: one of them shows the main dialog with
// the profiles, every other one ends, after message 180 when it finds no
// main window yet, and the data file stays whole.
TEST_F(Startup, TwentyStartsAtOnceLeaveOneMainDialogAndTheDataFileWhole) {
    WriteProfiles({u"Office", u"Home"});
    const std::vector<uint8_t> before = testsupport::FileBytes(dataFile_);
    std::vector<gui::Program> programs = gui::StartProgramsAtOnce(MainProgram(), 20);
    ASSERT_EQ(programs.size(), 20u);
    const auto running = [&] {
        std::vector<gui::Program*> left;
        for (gui::Program& p : programs)
            if (WaitForSingleObject(p.Handle(), 0) == WAIT_TIMEOUT) left.push_back(&p);
        return left;
    };
    std::vector<std::wstring> texts;
    gui::WaitUntil(
        [&] {
            for (gui::Program* p : running())
                for (HWND w : gui::DialogsOf(p->Id())) {
                    gui::MessageBoxInfo box;
                    if (!gui::ReadMessageBox(w, &box)) continue;
                    texts.push_back(box.text);
                    gui::AnswerMessageBox(w, IDOK);
                }
            return running().size() <= 1;
        },
        kCrowdLimitMs);
    for (const std::wstring& text : texts) EXPECT_EQ(text, testsupport::ExpectedText(180)) << testsupport::Narrow(text);
    const std::vector<gui::Program*> left = running();
    ASSERT_EQ(left.size(), 1u) << "programs still running";
    for (gui::Program& p : programs) {
        DWORD code = 1;
        if (&p == left[0]) continue;
        EXPECT_TRUE(GetExitCodeProcess(p.Handle(), &code) && code == 0);
    }
    const HWND main = WaitForMainWindow(*left[0]);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(ListedProfiles(main), (std::vector<std::wstring>{L"Office", L"Home"}));
    EXPECT_EQ(testsupport::FileBytes(dataFile_), before);
    PostMessageW(main, WM_CLOSE, 0, 0);
    ExpectExit(*left[0]);
    CProfileCollection loaded;
    ASSERT_EQ(CProfileFileAccess(loaded, testsupport::ExeDir()).Read(), 0);
    EXPECT_EQ(loaded.Count(), 2);
}

}  // namespace
