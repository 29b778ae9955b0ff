// A switch from Start to the result message, as the main window sees it:
// the progress values and the result word in the order they arrive.
#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>

#include "app/Messages.h"
#include "app/win/Tolvik_NetworkApp.h"
#include "applier/SettingRequest.h"
#include "framework/win/Event.h"
#include "framework/win/WideText.h"
#include "profile/DataFileImage.h"
#include "profile/win/ProfileFileAccess.h"
#include "service/ServiceRegistration.h"
#include "switching/HandoffRecord.h"
#include "switching/win/NetworkSetting.h"
#include "tests/wine/support/ApplierCases.h"
#include "tests/wine/support/DataFileGuard.h"
#include "tests/wine/support/GuiDriver.h"
#include "tests/wine/support/RegistrySeed.h"
#include "tests/wine/support/SettingServiceHost.h"
#include "tests/wine/support/TestSupport.h"

namespace {

using testsupport::RecordingWindow;

constexpr DWORD kSwitchLimitMs = 90000;

// The threads of this process.
std::set<DWORD> ThreadIds() {
    std::set<DWORD> ids;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return ids;
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
        if (entry.th32OwnerProcessID == GetCurrentProcessId()) ids.insert(entry.th32ThreadID);
    CloseHandle(snapshot);
    return ids;
}

class SwitchSequence : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(testsupport::InstallApplierStandIns());
        tempDir_ = testsupport::TempDir();
        app_.programFolder = testsupport::ExeDir();
        app_.ieMajorVersion = 11;
        app_.wmiAccess.Connect();
        profile_.Record().profileId = 1;
        profile_.SetText(ProfileText::profileName, u"Office");
        profile_.SetText(ProfileText::connectionName, u"Ortivo Test LAN");
    }

    // Starts the switch and collects what the window receives up to the
    // result message; the applier's notification is answered as the main
    // window does. The rounds of the wait for the applier never end by
    // themselves here: only the handled notification ends the wait.
    std::vector<RecordingWindow::Entry> RunSwitch() {
        CNetworkSetting setting(app_);
        setting.SetApplierRound(INFINITE);
        window_.OnReceive([&](UINT message) {
            if (message == kMsgApplierFinished) app_.NotifyApplierFinished();
        });
        EXPECT_EQ(setting.Start(window_.Handle(), profile_), 0);
        const bool ended = gui::WaitUntil(
            [&] { return !window_.Received().empty() && window_.Received().back().message == kMsgSwitchResult; },
            kSwitchLimitMs);
        EXPECT_TRUE(ended) << "no result message";
        return window_.Received();
    }

    static std::vector<WPARAM> Progress(const std::vector<RecordingWindow::Entry>& entries) {
        std::vector<WPARAM> values;
        for (const RecordingWindow::Entry& e : entries)
            if (e.message == kMsgProgress) values.push_back(e.wParam);
        return values;
    }

    // A switch whose TCP/IP step fails and whose profile starts the recording
    // stand-in as its application: only progress 0 and result 0x0100 arrive,
    // no netsh runs, and the application still starts, as the only program
    // that runs. Its record, or an empty one.
    testsupport::StandInRecord RunSwitchFailingTcpIpWithApplication() {
        profile_.Record().runAppEnabled = 1;
        profile_.SetText(ProfileText::appPath, T(StandInApplication()));
        profile_.SetText(ProfileText::appArguments, u"--profile \"Office 2\"");
        const std::vector<RecordingWindow::Entry> received = RunSwitch();
        EXPECT_EQ(Progress(received), (std::vector<WPARAM>{0}));
        EXPECT_EQ(received.empty() ? 0u : received.back().wParam, 0x0100u);
        EXPECT_TRUE(testsupport::CommandLinesOf(L"netsh.exe").empty());
        std::vector<testsupport::StandInRecord> records;
        EXPECT_TRUE(gui::WaitUntil([&] { return !(records = testsupport::ReadRecords()).empty(); }, 30000))
            << "the application did not start";
        EXPECT_EQ(records.size(), 1u);
        if (records.size() != 1) return {};
        EXPECT_EQ(_wcsicmp(records[0].module.c_str(), StandInApplication().c_str()), 0)
            << testsupport::Narrow(records[0].module);
        return records[0];
    }

    static std::wstring StandInApplication() { return testsupport::ExeDir() + L"\\recording_standin.exe"; }

    // The main window goes away while the switch waits for the TCP/IP
    // step: once the stand-in there has recorded its start, `whileWaiting`
    // looks around, then the switch object is destroyed. Every thread the
    // switch started has ended then, nothing came after progress 0, and
    // the profile's application never started.
    void ExpectAbandonedWhileWaiting(const std::function<void()>& whileWaiting) {
        profile_.Record().runAppEnabled = 1;
        profile_.SetText(ProfileText::appPath, T(StandInApplication()));
        const std::set<DWORD> before = ThreadIds();
        std::vector<HANDLE> started;  // the threads the switch started: its worker
        {
            CNetworkSetting setting(app_);
            ASSERT_EQ(setting.Start(window_.Handle(), profile_), 0);
            ASSERT_TRUE(gui::WaitUntil([] { return !testsupport::ReadRecords().empty(); }, 30000));
            for (DWORD id : ThreadIds())
                if (!before.count(id))
                    if (HANDLE thread = OpenThread(SYNCHRONIZE, FALSE, id)) started.push_back(thread);
            ASSERT_FALSE(started.empty()) << "no worker thread";
            whileWaiting();
        }  // the main window goes away in the middle of the wait
        for (HANDLE thread : started) {
            EXPECT_EQ(WaitForSingleObject(thread, 0), WAIT_OBJECT_0) << "a thread of the switch still runs";
            CloseHandle(thread);
        }
        gui::PumpMessages();
        EXPECT_EQ(Progress(window_.Received()), (std::vector<WPARAM>{0}));
        EXPECT_EQ(Messages(window_.Received()), (std::vector<UINT>{kMsgProgress}));
        EXPECT_EQ(testsupport::ReadRecords().size(), 1u);
    }

    static std::vector<UINT> Messages(const std::vector<RecordingWindow::Entry>& entries) {
        std::vector<UINT> values;
        for (const RecordingWindow::Entry& e : entries)
            if (e.message != kMsgApplierFinished) values.push_back(e.message);
        return values;
    }

    CTolvik_NetworkApp app_;
    RecordingWindow window_;
    CProfileData profile_;
    std::wstring tempDir_;
};

TEST_F(SwitchSequence, NothingElseConfiguredGoesFromZeroToHundredAndReportsZero) {
    const std::vector<RecordingWindow::Entry> received = RunSwitch();
    EXPECT_EQ(Progress(received), (std::vector<WPARAM>{0, 20, 40, 60, 80, 100}));
    ASSERT_FALSE(received.empty());
    EXPECT_EQ(received.back().message, kMsgSwitchResult);
    EXPECT_EQ(received.back().wParam, 0u);
    // Progress messages first, the result last, exactly once.
    EXPECT_EQ(Messages(received), (std::vector<UINT>{kMsgProgress, kMsgProgress, kMsgProgress, kMsgProgress,
                                                     kMsgProgress, kMsgProgress, kMsgSwitchResult}));
    // The applier got the profile through the block and ran netsh for it.
    const std::vector<std::wstring> netsh = testsupport::CommandLinesOf(L"netsh.exe");
    ASSERT_FALSE(netsh.empty());
    EXPECT_NE(netsh[0].find(L"name=\"Ortivo Test LAN\""), std::wstring::npos) << testsupport::Narrow(netsh[0]);
    EXPECT_EQ(app_.applierFinished, 1);
}

// The printer step first turns off Windows managing the default printer:
// Windows 10 and later keep a default printer only while that is off.
// A program that knows no extensions wrote the data file with the profile's name
// changed: read back, the profile has no additions; its switch runs the record's alone.
TEST_F(SwitchSequence, ARecordChangedByAProgramThatKnowsNoExtensionsIsAppliedWithoutItsAdditions) {
    const CDataFileGuard guard;
    CProfileCollection profiles, changed, read;
    profiles.Add(testsupport::AdditionsCase().profile);
    ASSERT_EQ(CProfileFileAccess(profiles, app_.programFolder).Write(), 0);
    ASSERT_EQ(profiles.GetByPosition(0, &profile_), 0);
    profile_.SetText(ProfileText::profileName, u"Office 2");
    changed.Add(profile_);
    std::vector<uint8_t> image;
    ASSERT_EQ(datafile::Encode(changed, image), 0);
    ASSERT_TRUE(testsupport::WriteFileBytes(CDataFileGuard::Path(), image));
    ASSERT_EQ(CProfileFileAccess(read, app_.programFolder).Read(), 0);
    ASSERT_EQ(read.GetByPosition(0, &profile_), 0);
    const std::vector<RecordingWindow::Entry> received = RunSwitch();
    EXPECT_EQ(received.empty() ? 1u : received.back().wParam, 0u);
    EXPECT_EQ(testsupport::RecordedCommandLines(), testsupport::FixedAddressCase().commandLines);
}

TEST_F(SwitchSequence, PrinterFailureStopsTheBarAtFortyAndSetsItsBit) {
    const std::wstring key = L"Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";
    CRegistrySeed seed;
    ASSERT_TRUE(seed.DeleteValue(HKEY_CURRENT_USER, key, L"LegacyDefaultPrinterMode"));
    profile_.Record().setDefaultPrinter = 1;
    profile_.SetText(ProfileText::printerName, u"Ortivo Printer That Does Not Exist");
    const std::vector<RecordingWindow::Entry> received = RunSwitch();
    EXPECT_EQ(Progress(received), (std::vector<WPARAM>{0, 20, 40}));
    ASSERT_FALSE(received.empty());
    EXPECT_EQ(received.back().message, kMsgSwitchResult);
    EXPECT_EQ(received.back().wParam, 0x0400u);
    EXPECT_EQ(RegistryDword(HKEY_CURRENT_USER, key, L"LegacyDefaultPrinterMode"), 1);
}

// An applier that ends without reporting fails the TCP/IP step as soon as
// it has ended (the rounds of the wait never end by themselves here), and
// so does one whose report (0x8100, which any program of the user could
// send) is followed by any exit code but 0; it was started with the digest
// of the block, in the program folder.
TEST_F(SwitchSequence, OnlyAReportFollowedByExitCodeZeroIsTheApplierSuccess) {
    ASSERT_TRUE(testsupport::InstallStandIn(tempDir_ + L"\\Tolvik_NetworkSetting.exe"));
    testsupport::UseRecordLog(tempDir_ + L"\\record.log");
    app_.programFolder = tempDir_;
    const struct {
        const wchar_t* report;
        const wchar_t* exitCode;
        WPARAM result;
    } rows[] = {{nullptr, L"1", 0x0100}, {nullptr, L"0", 0x0100}, {L"1", L"1", 0x0100}, {L"1", L"0", 0}};
    for (const auto& row : rows) {
        SCOPED_TRACE(testsupport::Narrow(std::wstring(row.report ? L"report, " : L"") + row.exitCode));
        SetEnvironmentVariableW(L"ORTIVO_STANDIN_REPORT", row.report);
        SetEnvironmentVariableW(L"ORTIVO_STANDIN_EXIT", row.exitCode);
        window_.Clear();
        const std::vector<RecordingWindow::Entry> received = RunSwitch();
        ASSERT_FALSE(received.empty());
        EXPECT_EQ(received.back().wParam, row.result);
    }
    SetEnvironmentVariableW(L"ORTIVO_STANDIN_REPORT", nullptr);
    SetEnvironmentVariableW(L"ORTIVO_STANDIN_EXIT", nullptr);
    const HandoffImage image = BuildHandoffImage(profile_, static_cast<uint32_t>(HandleToLong(window_.Handle())));
    for (const testsupport::StandInRecord& r : testsupport::ReadRecords()) {
        EXPECT_EQ(r.commandLine.substr(r.commandLine.size() - 65), L" " + W(HandoffDigest(image)))
            << testsupport::Narrow(r.commandLine);
        EXPECT_EQ(_wcsicmp(r.directory.c_str(), tempDir_.c_str()), 0) << testsupport::Narrow(r.directory);
    }
    EXPECT_EQ(testsupport::ReadRecords().size(), 4u);
}

TEST_F(SwitchSequence, MissingApplierReportsTcpIpAndTheLaterStepsStillRun) {
    app_.programFolder = tempDir_;  // no Tolvik_NetworkSetting.exe in there
    const testsupport::StandInRecord application = RunSwitchFailingTcpIpWithApplication();
    const std::string commandLine = testsupport::Narrow(application.commandLine);
    const std::string arguments = " --profile \"Office 2\"";
    ASSERT_GE(commandLine.size(), arguments.size());
    EXPECT_EQ(commandLine.substr(commandLine.size() - arguments.size()), arguments) << commandLine;
    std::wstring directory = application.directory;
    if (!directory.empty() && directory.back() == L'\\') directory.pop_back();
    EXPECT_EQ(_wcsicmp(directory.c_str(), testsupport::ExeDir().c_str()), 0) << testsupport::Narrow(directory);
}

// A block of the handoff name made beforehand by another program of the
// session: too small for the record, or of the right size but not ours.
TEST_F(SwitchSequence, ABlockMadeBeforehandByAnotherProgramFailsOnlyTheTcpIpStep) {
    for (const DWORD size : {DWORD{4096}, static_cast<DWORD>(kHandoffSize)}) {
        SCOPED_TRACE(size);
        HANDLE foreign = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, size,
                                            reinterpret_cast<const wchar_t*>(kHandoffBlockName));
        ASSERT_NE(foreign, nullptr);
        testsupport::UseRecordLog(tempDir_ + L"\\record.log");
        window_.Clear();
        RunSwitchFailingTcpIpWithApplication();  // the applier is never started for a block it did not make
        CloseHandle(foreign);
    }
}

// A pipe name of the setting service's form, published where the running
// service publishes its own, for one scope.
class CPublishedSettingPipe {
public:
    CPublishedSettingPipe() {
        uint8_t random[kSettingPipeRandomBytes];
        for (uint8_t& byte : random) byte = 0x5a;
        name_ = W(SettingPipeName(random));
        published_ = seed_.SetString(HKEY_LOCAL_MACHINE, W(kServiceSettingsKey), WPtr(kServicePipeValue), name_);
    }
    const std::wstring& Name() const { return name_; }
    ::testing::AssertionResult Published() const { return published_; }

private:
    CRegistrySeed seed_;
    std::wstring name_;
    ::testing::AssertionResult published_ = ::testing::AssertionFailure();
};

// A pipe of the published name made by this test program, as any program
// of the session could: it waits for one client and tells whether one
// came and how much it sent.
class CForeignSettingPipe {
public:
    CForeignSettingPipe()
        : pipe_(CreateNamedPipeW(published_.Name().c_str(),
                                 PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED, PIPE_TYPE_MESSAGE | PIPE_READMODE_MESSAGE,
                                 1, 4096, 65536, 0, nullptr)) {
        connect_.hEvent = connected_.Handle();
        listening_ = pipe_.Valid() && !ConnectNamedPipe(pipe_.Get(), &connect_) && GetLastError() == ERROR_IO_PENDING;
    }
    ~CForeignSettingPipe() {
        if (!listening_) return;
        CancelIoEx(pipe_.Get(), &connect_);
        DWORD ignored = 0;
        GetOverlappedResult(pipe_.Get(), &connect_, &ignored, TRUE);
    }
    bool Listening() const { return listening_ && published_.Published(); }
    bool ClientCame() const { return WaitForSingleObject(connected_.Handle(), 0) == WAIT_OBJECT_0; }
    DWORD BytesSent() const {
        DWORD available = 0;
        PeekNamedPipe(pipe_.Get(), nullptr, 0, nullptr, &available, nullptr);
        return available;
    }

private:
    CPublishedSettingPipe published_;
    CFileHandle pipe_;
    CEvent connected_;
    OVERLAPPED connect_ = {};
    bool listening_ = false;
};

// The setting service is installed but stopped: a pipe of its name is
// never used, and the switch goes through the applier as before.
TEST_F(SwitchSequence, APipeOfTheServiceNameIsNotUsedWhileTheServiceIsStopped) {
    const testsupport::CRunningSettingService service;
    ASSERT_TRUE(service.Running());
    ASSERT_EQ(testsupport::StopSettingService(), static_cast<DWORD>(SERVICE_STOPPED));
    CForeignSettingPipe pipe;
    ASSERT_TRUE(pipe.Listening());
    const std::vector<RecordingWindow::Entry> received = RunSwitch();
    ASSERT_FALSE(received.empty());
    EXPECT_EQ(received.back().wParam, 0u);
    EXPECT_EQ(app_.applierFinished, 1);
    EXPECT_FALSE(testsupport::CommandLinesOf(L"netsh.exe").empty());
    EXPECT_FALSE(pipe.ClientCame()) << "the switch connected to a pipe that no running service holds";
}

// With the setting service running, a switch needs neither the applier nor
// its prompt: the service runs the applier's command lines for the profile
// and the switch succeeds (message 169); a profile that the service refuses
// is the TCP/IP failure (165) and runs nothing.
TEST_F(SwitchSequence, WithTheServiceRunningTheServiceAppliesAndTheApplierNeverStarts) {
    ASSERT_TRUE(testsupport::InstallStandIn(tempDir_ + L"\\Tolvik_NetworkSetting.exe"));
    app_.programFolder = tempDir_;  // an applier started would record its start beside the commands
    const testsupport::CRunningSettingService service;
    ASSERT_TRUE(service.Running());
    CRegistrySeed seed;
    const std::wstring tcpip = testsupport::SeedConnection(seed, L"LAN");
    const testsupport::ApplierCase fixed = testsupport::AdditionsCase();
    profile_.CopyFrom(fixed.profile);
    testsupport::UseRecordLog(testsupport::kServiceRecordLog);
    std::vector<RecordingWindow::Entry> received = RunSwitch();
    EXPECT_EQ(Progress(received), (std::vector<WPARAM>{0, 20, 40, 60, 80, 100}));
    ASSERT_FALSE(received.empty());
    EXPECT_EQ(received.back().wParam, 0u);
    EXPECT_EQ(testsupport::RecordedCommandLines(), fixed.commandLines);
    EXPECT_EQ(RegistryString(HKEY_LOCAL_MACHINE, tcpip, L"Domain"), fixed.suffix);

    profile_.SetText(ProfileText::connectionName, u"LAN\" x");
    testsupport::UseRecordLog(testsupport::kServiceRecordLog);
    window_.Clear();
    received = RunSwitch();
    ASSERT_FALSE(received.empty());
    EXPECT_EQ(received.back().wParam, 0x0100u);
    EXPECT_TRUE(testsupport::ReadRecords().empty());
    EXPECT_EQ(app_.applierFinished, 0);

    // Serving only the operators, the service answers 2 (not permitted) to
    // this user: the switch starts the elevated applier, as when no service
    // runs (the stand-in ends without reporting: the TCP/IP failure).
    CRegistrySeed operators;
    ASSERT_TRUE(operators.SetString(HKEY_LOCAL_MACHINE, W(kServiceSettingsKey), WPtr(kServiceUsersValue), L"operators"));
    ASSERT_EQ(testsupport::StopSettingService(), static_cast<DWORD>(SERVICE_STOPPED));
    ASSERT_EQ(testsupport::StartSettingService(), static_cast<DWORD>(SERVICE_RUNNING));
    profile_.CopyFrom(fixed.profile);
    testsupport::UseRecordLog(testsupport::kServiceRecordLog);
    window_.Clear();
    received = RunSwitch();
    ASSERT_FALSE(received.empty());
    EXPECT_EQ(received.back().wParam, 0x0100u);
    const std::vector<testsupport::StandInRecord> started = testsupport::ReadRecords();
    ASSERT_EQ(started.size(), 1u) << "the applier alone";
    EXPECT_EQ(_wcsicmp(started[0].module.c_str(), (tempDir_ + L"\\Tolvik_NetworkSetting.exe").c_str()), 0)
        << testsupport::Narrow(started[0].module);
}

// A service of the setting service's name runs, but its process does not
// hold the pipe (a service that holds none; the pipe is this program's):
// the record is not sent and the TCP/IP step fails.
TEST_F(SwitchSequence, APipeThatTheRunningServiceDoesNotHoldGetsNoRecord) {
    CForeignSettingPipe pipe;
    ASSERT_TRUE(pipe.Listening());
    const testsupport::CRunningSettingService service(L"\"" + StandInApplication() + L"\" /service");
    ASSERT_TRUE(service.Running());
    app_.programFolder = tempDir_;  // no applier either
    const std::vector<RecordingWindow::Entry> received = RunSwitch();
    ASSERT_FALSE(received.empty());
    EXPECT_EQ(received.back().wParam, 0x0100u);
    EXPECT_TRUE(pipe.ClientCame()) << "the switch did not go to the running service";
    EXPECT_EQ(pipe.BytesSent(), 0u) << "the record went to a pipe that the service does not hold";
}

TEST_F(SwitchSequence, ClosingWhileWaitingForTheApplierAbandonsTheSwitch) {
    // An applier that starts but does not end or report back while the
    // switch waits.
    ASSERT_TRUE(testsupport::InstallStandIn(tempDir_ + L"\\Tolvik_NetworkSetting.exe"));
    SetEnvironmentVariableW(L"ORTIVO_STANDIN_HANG", L"20000");
    app_.programFolder = tempDir_;
    ExpectAbandonedWhileWaiting([] {
        // The worker waits for the applier, with the handoff block open.
        HANDLE block = OpenFileMappingW(FILE_MAP_READ, FALSE, reinterpret_cast<const wchar_t*>(kHandoffBlockName));
        EXPECT_NE(block, nullptr) << "no handoff block while waiting for the applier";
        if (block) CloseHandle(block);
        SetEnvironmentVariableW(L"ORTIVO_STANDIN_HANG", nullptr);
    });
    // The handoff block went with the switch.
    HANDLE block = OpenFileMappingW(FILE_MAP_READ, FALSE, reinterpret_cast<const wchar_t*>(kHandoffBlockName));
    EXPECT_EQ(block, nullptr) << "the handoff block outlived the switch";
    if (block) CloseHandle(block);
}

// The service takes the record and never answers.
TEST_F(SwitchSequence, ClosingWhileWaitingForTheServiceAbandonsTheSwitch) {
    testsupport::UseRecordLog(testsupport::kServiceRecordLog);
    const CPublishedSettingPipe published;
    ASSERT_TRUE(published.Published());
    const testsupport::CRunningSettingService service(L"\"" + StandInApplication() + L"\" /service " +
                                                      published.Name());
    ASSERT_TRUE(service.Running());
    ExpectAbandonedWhileWaiting([] {});
}

// "適用" pressed again as soon as a switch has reported: the worker of the
// first is just ending, and the second switch runs all the same.
TEST_F(SwitchSequence, ASecondSwitchRightAfterTheFirstRunsToo) {
    app_.programFolder = tempDir_;  // no applier: both switches are quick
    profile_.Record().runAppEnabled = 1;
    profile_.SetText(ProfileText::appPath, T(StandInApplication()));
    auto results = [&] {
        int n = 0;
        for (const RecordingWindow::Entry& e : window_.Received()) n += e.message == kMsgSwitchResult;
        return n;
    };
    CNetworkSetting setting(app_);
    profile_.SetText(ProfileText::appArguments, u"first");
    ASSERT_EQ(setting.Start(window_.Handle(), profile_), 0);
    ASSERT_TRUE(gui::WaitUntil([&] { return results() == 1; }, kSwitchLimitMs)) << "the first switch did not end";
    profile_.SetText(ProfileText::appArguments, u"second");
    ASSERT_EQ(setting.Start(window_.Handle(), profile_), 0) << "the second switch was refused";
    ASSERT_TRUE(gui::WaitUntil([&] { return results() == 2; }, kSwitchLimitMs)) << "the second switch did not end";
    EXPECT_EQ(Messages(window_.Received()),
              (std::vector<UINT>{kMsgProgress, kMsgSwitchResult, kMsgProgress, kMsgSwitchResult}));
    std::vector<std::wstring> arguments;
    ASSERT_TRUE(gui::WaitUntil([&] {
        arguments.clear();
        for (const testsupport::StandInRecord& r : testsupport::ReadRecords())
            arguments.push_back(r.commandLine.substr(r.commandLine.rfind(L' ') + 1));
        return arguments.size() == 2;
    }, kSwitchLimitMs)) << "the applications of both switches did not start";
    std::sort(arguments.begin(), arguments.end());
    EXPECT_EQ(arguments, (std::vector<std::wstring>{L"first", L"second"}));
}

TEST(ApplicationDirectory, IsThePathUpToTheLastBackslash) {
    EXPECT_EQ(ApplicationDirectory(L"C:\\Tools\\bin\\app.exe"), L"C:\\Tools\\bin");
    EXPECT_EQ(ApplicationDirectory(L"C:\\app.exe"), L"C:");
    EXPECT_EQ(ApplicationDirectory(L"app.exe"), L"");
}

}  // namespace
