// The real Tolvik_NetworkSetting.exe against a real handoff block, with
// recording stand-ins for netsh.exe and ipconfig.exe in system32; in the
// test network (tests/testnet) they change the laptop's real interface.
#include <gtest/gtest.h>

#include <aclapi.h>
#include <sddl.h>

#include <thread>

#include "app/Messages.h"
#include "applier/win/CommandRunner.h"
#include "framework/win/Event.h"
#include "framework/win/WideText.h"
#include "switching/HandoffRecord.h"
#include "switching/win/HandoffWriter.h"
#include "switching/win/NetworkChecks.h"
#include "system/win/AdapterDiscovery.h"
#include "system/win/WMIAccess.h"
#include "tests/wine/support/ApplierCases.h"
#include "tests/wine/support/GuiDriver.h"
#include "tests/wine/support/RegistrySeed.h"
#include "tests/wine/support/TestNetwork.h"
#include "tests/wine/support/TestSupport.h"

using namespace testsupport;

namespace {

constexpr DWORD kRunLimitMs = 60000;

class ApplierTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(InstallStandIn(SystemDir() + L"\\netsh.exe"));
        ASSERT_TRUE(InstallStandIn(SystemDir() + L"\\ipconfig.exe"));
    }

    void SetUp() override {
        dir_ = TempDir();
        ASSERT_FALSE(dir_.empty());
        UseRecordLog(dir_ + L"\\record.log");
    }

    // Writes the block (window = the recorder, or none), runs the applier
    // with the block's digest and returns its exit code; the block stays
    // open while it runs.
    long Apply(const CProfileData& profile, bool withWindow = true, const std::wstring& directory = L"") {
        return ApplyImage(Image(profile, withWindow ? window_.Handle() : nullptr), directory);
    }

    static long ApplyImage(const HandoffImage& image, const std::wstring& directory = L"") {
        return WithBlock(image, W(HandoffDigest(image)), directory);
    }

    static long WithBlock(const HandoffImage& image, const std::wstring& arguments, const std::wstring& directory = L"") {
        HANDLE block = WriteHandoffBlock(image);
        EXPECT_NE(nullptr, block);
        const long code = RunApplier(arguments, directory);
        if (block) CloseHandle(block);
        return code;
    }

    static HandoffImage Image(const CProfileData& profile, HWND window) {
        return BuildHandoffImage(profile, static_cast<uint32_t>(HandleToLong(window)));
    }

    static long RunApplier(const std::wstring& arguments = L"", const std::wstring& directory = L"") {
        return gui::RunProgram(ExeDir() + L"\\Tolvik_NetworkSetting.exe", arguments, kRunLimitMs, directory);
    }

    int FinishedMessages() const {
        int n = 0;
        for (const auto& e : window_.Received()) n += e.message == kMsgApplierFinished && e.wParam == 0;
        return n;
    }

    static CProfileData Profile(const char16_t* connection) { return ApplierProfile(connection); }

    std::wstring dir_;
    RecordingWindow window_;
};

TEST_F(ApplierTest, FixedAddressWithGatewayAndTwoDnsServers) {
    const ApplierCase fixed = FixedAddressCase();
    EXPECT_EQ(0, Apply(fixed.profile));
    EXPECT_EQ(fixed.commandLines, RecordedCommandLines());
    EXPECT_EQ(1, FinishedMessages());
    for (const StandInRecord& rec : ReadRecords())
        EXPECT_EQ(0, _wcsicmp((SystemDir() + L"\\netsh.exe").c_str(), rec.module.c_str())) << Narrow(rec.module);
}

TEST_F(ApplierTest, DhcpWithAutomaticDnsRenewsLast) {
    const ApplierCase dhcp = DhcpCase();
    EXPECT_EQ(0, Apply(dhcp.profile));
    EXPECT_EQ(dhcp.commandLines, RecordedCommandLines());
    const auto records = ReadRecords();
    ASSERT_EQ(4u, records.size());
    EXPECT_EQ(0, _wcsicmp((SystemDir() + L"\\ipconfig.exe").c_str(), records[3].module.c_str()));
    EXPECT_EQ(1, FinishedMessages());
}

// The additions after the address command, the suffix where Windows' own
// dialog sets it; a DHCP profile afterwards deletes the static gateways
// and takes the suffix away again.
TEST_F(ApplierTest, FixedAddressWithAdditionsThenDhcpOnTheSameConnection) {
    CRegistrySeed seed;
    const std::wstring tcpip = SeedConnection(seed, L"LAN");
    const ApplierCase added = AdditionsCase();
    EXPECT_EQ(0, Apply(added.profile));
    EXPECT_EQ(added.commandLines, RecordedCommandLines());
    EXPECT_EQ(added.suffix, RegistryString(HKEY_LOCAL_MACHINE, tcpip, L"Domain"));
    UseRecordLog(dir_ + L"\\record.log");
    EXPECT_EQ(0, Apply(Profile(u"LAN")));
    EXPECT_EQ(L"netsh interface ipv4 delete address name=\"LAN\" gateway=all", RecordedCommandLines().at(0));
    EXPECT_EQ(L"", RegistryString(HKEY_LOCAL_MACHINE, tcpip, L"Domain"));
}

TEST_F(ApplierTest, WindowHandleZeroRunsTheCommandsButSendsNoMessage) {
    CProfileData p = Profile(u"LAN");
    p.Record().ipMode = 1;
    p.Record().ipAddress = Ip(10, 0, 0, 5);
    p.Record().subnetMask = Ip(255, 0, 0, 0);
    EXPECT_EQ(0, Apply(p, false));
    EXPECT_EQ((std::vector<std::wstring>{
                  L"netsh interface ipv4 set address name=\"LAN\" source=static addr=10.0.0.5 mask=255.0.0.0",
                  L"netsh interface ipv4 set dns name=\"LAN\" source=dhcp register=PRIMARY"}),
              RecordedCommandLines());
    EXPECT_EQ(0, FinishedMessages());
}

TEST_F(ApplierTest, UnregisteredProfileOrNoBlockDoesNothing) {
    CProfileData p = Profile(u"LAN");
    p.Record().profileId = 0;
    EXPECT_EQ(0, Apply(p));
    EXPECT_EQ(-1, RunApplier(W(HandoffDigest(Image(p, window_.Handle()))))) << "started by hand, without a block";
    EXPECT_TRUE(RecordedCommandLines().empty());
    EXPECT_EQ(0, FinishedMessages());
}

TEST_F(ApplierTest, ConnectionNameWithSpacesStandsUnchangedInTheQuotes) {
    CProfileData p = Profile(u"ローカル エリア 接続 2");
    p.Record().dnsMode = 1;  // preferred 0: every DNS server is deleted
    p.Record().alternateDns = Ip(1, 1, 1, 1);
    EXPECT_EQ(0, Apply(p));
    EXPECT_EQ((std::vector<std::wstring>{
                  L"netsh interface ipv4 delete address name=\"ローカル エリア 接続 2\" gateway=all",
                  L"netsh interface ipv4 set address name=\"ローカル エリア 接続 2\" source=dhcp",
                  L"netsh interface ipv4 delete dnsserver name=\"ローカル エリア 接続 2\" all",
                  L"ipconfig /renew \"ローカル エリア 接続 2\""}),
              RecordedCommandLines());
}

TEST_F(ApplierTest, NameWithADoubleQuoteIsRefusedAndRunsNothing) {
    CProfileData p = Profile(u"LAN\" source=static addr=1.2.3.4");
    EXPECT_EQ(1, Apply(p));
    EXPECT_TRUE(RecordedCommandLines().empty());
    EXPECT_EQ(0, FinishedMessages());
}

// Only the block that the main program wrote is applied: the digest on the
// command line names it.
TEST_F(ApplierTest, AChangedBlockAWrongDigestOrNoneRunsNothing) {
    const HandoffImage image = Image(Profile(u"LAN"), window_.Handle());
    HandoffImage changed = image;
    changed[913] = 10;  // another fixed address
    const std::wstring digest = W(HandoffDigest(image));
    EXPECT_EQ(-1, WithBlock(changed, digest)) << "changed after the digest was taken";
    EXPECT_EQ(-1, WithBlock(image, W(HandoffDigest(changed)))) << "another block's digest";
    EXPECT_EQ(-1, WithBlock(image, L"")) << "no digest";
    EXPECT_EQ(-1, WithBlock(image, digest + L" " + digest)) << "more than one argument";
    EXPECT_TRUE(RecordedCommandLines().empty());
    EXPECT_EQ(0, FinishedMessages());
}

std::wstring UserSid() {
    HANDLE token = nullptr;
    OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token);
    BYTE user[256] = {};
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, user, sizeof(user), &size);
    CloseHandle(token);
    LPWSTR text = nullptr;
    if (!ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(user)->User.Sid, &text)) return L"?";
    const std::wstring sid = text;
    LocalFree(text);
    return sid;
}

// The user and SYSTEM may use the block, Administrators read it (an applier
// elevated with another administrator's account), nobody else.
TEST_F(ApplierTest, TheBlockAdmitsTheUserSystemAndAdministratorsToRead) {
    HANDLE block = WriteHandoffBlock(Image(Profile(u"LAN"), nullptr));
    ASSERT_NE(nullptr, block);
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    const DWORD read = GetSecurityInfo(block, SE_KERNEL_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr,
                                       nullptr, nullptr, &descriptor);
    CloseHandle(block);
    ASSERT_EQ(static_cast<DWORD>(ERROR_SUCCESS), read);
    LPWSTR sddl = nullptr;
    ASSERT_TRUE(ConvertSecurityDescriptorToStringSecurityDescriptorW(descriptor, SDDL_REVISION_1,
                                                                     DACL_SECURITY_INFORMATION, &sddl, nullptr));
    const std::wstring text = sddl;
    LocalFree(sddl);
    LocalFree(descriptor);
    // Section: all access (0xf001f) and read (query, map for reading, read control).
    EXPECT_EQ(L"D:P(A;;CCDCLCSWRPSDRCWDWO;;;" + UserSid() + L")(A;;CCDCLCSWRPSDRCWDWO;;;SY)(A;;CCLCRC;;;BA)", text);
}

// A command that never ends is ended after its bound, or at once when the
// run is stopped (INFINITE: only the stop ends it), and counts as failed;
// once stopped, no further command starts.
TEST_F(ApplierTest, ACommandThatNeverEndsIsEndedAfterItsBoundOrByTheStop) {
    SetEnvironmentVariableW(L"ORTIVO_STANDIN_HANG", L"600000");
    const bool ran = RunHidden(ApplierCommand{u"x", ApplierProgram::Netsh, u"netsh hang"}, CommandScope{}, 2000);
    const CEvent stop;
    std::thread stopper([&] {
        gui::WaitUntil([] { return RecordedCommandLines().size() == 2; }, kRunLimitMs);
        stop.Set();
    });
    const CommandScope stoppable{stop.Handle(), nullptr};
    const bool stopped = RunHidden(ApplierCommand{u"x", ApplierProgram::Netsh, u"netsh stopped"}, stoppable, INFINITE);
    stopper.join();
    SetEnvironmentVariableW(L"ORTIVO_STANDIN_HANG", nullptr);
    EXPECT_FALSE(ran);
    EXPECT_FALSE(stopped);
    EXPECT_FALSE(RunHidden(ApplierCommand{u"x", ApplierProgram::Netsh, u"netsh after the stop"}, stoppable));
    EXPECT_EQ((std::vector<std::wstring>{L"netsh hang", L"netsh stopped"}), RecordedCommandLines());
    EXPECT_TRUE(RunHidden(ApplierCommand{u"x", ApplierProgram::Netsh, u"netsh ends"}, CommandScope{}, 30000));
}

// Every command runs from the system directory, in it as its current folder.
TEST_F(ApplierTest, ProgramsInTheCurrentFolderNeverRun) {
    ASSERT_TRUE(InstallStandIn(dir_ + L"\\netsh.exe"));
    ASSERT_TRUE(InstallStandIn(dir_ + L"\\ipconfig.exe"));
    EXPECT_EQ(0, Apply(Profile(u"LAN"), true, dir_));
    const auto records = ReadRecords();
    ASSERT_EQ(4u, records.size());
    for (const StandInRecord& rec : records) {
        EXPECT_EQ(0, _wcsnicmp(SystemDir().c_str(), rec.module.c_str(), SystemDir().size())) << Narrow(rec.module);
        EXPECT_EQ(0, _wcsicmp(SystemDir().c_str(), rec.directory.c_str())) << Narrow(rec.directory);
    }
}

TEST_F(ApplierTest, ASmallerBlockMadeByAnotherProgramIsNotReadAndNothingRuns) {
    HANDLE foreign = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 4096,
                                        reinterpret_cast<const wchar_t*>(kHandoffBlockName));
    ASSERT_NE(nullptr, foreign);
    const long code = RunApplier(W(HandoffDigest(HandoffImage{})));
    CloseHandle(foreign);
    EXPECT_EQ(-1, code);
    EXPECT_TRUE(RecordedCommandLines().empty());
}

// A window on a thread of its own that takes no messages until the object goes.
class StalledWindow {
public:
    StalledWindow() {
        thread_ = CreateThread(nullptr, 0, Run, this, 0, nullptr);
        WaitForSingleObject(ready_, kRunLimitMs);
    }
    ~StalledWindow() {
        SetEvent(release_);
        WaitForSingleObject(thread_, kRunLimitMs);
        for (HANDLE h : {thread_, ready_, release_}) CloseHandle(h);
    }
    StalledWindow(const StalledWindow&) = delete;
    StalledWindow& operator=(const StalledWindow&) = delete;
    HWND Handle() const { return window_; }

private:
    static DWORD WINAPI Run(LPVOID parameter) {
        auto* self = static_cast<StalledWindow*>(parameter);
        RecordingWindow window;
        self->window_ = window.Handle();
        SetEvent(self->ready_);
        WaitForSingleObject(self->release_, INFINITE);
        return 0;
    }

    HANDLE ready_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE release_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE thread_ = nullptr;
    HWND window_ = nullptr;
};

TEST_F(ApplierTest, AWindowThatTakesNoMessagesDoesNotKeepTheApplierRunning) {
    StalledWindow stalled;
    ASSERT_NE(nullptr, stalled.Handle());
    const long code = ApplyImage(Image(Profile(u"LAN"), stalled.Handle()));  // -2: still running at the limit
    EXPECT_EQ(0, code);
    EXPECT_EQ(4u, RecordedCommandLines().size());
}

// Wine reports another Windows version to a program named in AppDefaults.
class VistaForTheApplier {
public:
    VistaForTheApplier() {
        RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_, nullptr);
        const wchar_t vista[] = L"vista";
        RegSetValueExW(key_, L"Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(vista), sizeof(vista));
    }
    ~VistaForTheApplier() {
        RegCloseKey(key_);
        RegDeleteKeyW(HKEY_CURRENT_USER, kKey);
    }

private:
    static constexpr const wchar_t* kKey = L"Software\\Wine\\AppDefaults\\Tolvik_NetworkSetting.exe";
    HKEY key_ = nullptr;
};

TEST_F(ApplierTest, OnVistaItExitsWithMinusOneBeforeTouchingTheBlock) {
    long code = 0;
    {
        VistaForTheApplier vista;
        code = Apply(Profile(u"LAN"));
    }
    EXPECT_EQ(-1, code);
    EXPECT_TRUE(RecordedCommandLines().empty());
    EXPECT_EQ(0, FinishedMessages());
}

// The laptop on site A, then on site B (tests/testnet/testnet.sh): what the
// applier runs changes its interface, and the checks of a switch meet the
// site's gateway. Skipped outside the test network.
class TestNetworkFlow : public ApplierTest {
protected:
    void SetUp() override {
        if (!InTestNetwork()) GTEST_SKIP() << "runs in the test network: tests/testnet";
        ApplierTest::SetUp();
        lan_ = TestNetworkLan();
        ASSERT_FALSE(lan_.guid.empty()) << "no adapter ortivo-lan";
        ASSERT_TRUE(SeedTestNetworkLan(seed_, lan_));
    }

    static AdapterInfo Lan() { return TestNetworkLan(); }
    CProfileData Profile(uint32_t gateway = 0) const { return TestNetworkProfile(lan_, gateway); }

    // Values of the adapter's TCP/IP key as the stand-ins and the DHCP client keep them, "|" between.
    std::wstring Tcpip(std::initializer_list<const wchar_t*> names) const {
        std::wstring values;
        const std::wstring key = AdapterTcpipKey(lan_.guid);
        for (const wchar_t* name : names)
            values += (values.empty() ? L"" : L"|") + RegistryString(HKEY_LOCAL_MACHINE, key, name);
        return values;
    }

    static int Checks(const CProfileData& profile) {
        CWMIAccess wmi;
        EXPECT_EQ(0, wmi.Connect());
        return CNetworkChecks(&wmi).Run(profile);
    }

    CRegistrySeed seed_;
    AdapterInfo lan_;
};

TEST_F(TestNetworkFlow, SiteAGivesItsLeaseSiteBTakesTheFixedAddressAndOnlyAnAnsweringGatewayPasses) {
    const CProfileData dhcp = Profile();
    EXPECT_EQ(0, Apply(dhcp));
    EXPECT_EQ((std::vector<std::wstring>{L"192.0.2.100"}), Lan().ipAddresses);
    EXPECT_EQ((std::vector<std::wstring>{L"192.0.2.1"}), Lan().gateways);
    EXPECT_EQ(0, Checks(dhcp));
    EXPECT_EQ(L"192.0.2.100|192.0.2.1|site-a.example", Tcpip({L"DhcpIPAddress", L"DhcpNameServer", L"DhcpDomain"}));

    // In DHCP mode the laptop asks again on site B; unanswered, it takes an automatic private address.
    ASSERT_EQ(0, TestNetworkDo(L"plug b"));
    EXPECT_EQ((std::vector<std::wstring>{L"169.254.83.16"}), Lan().ipAddresses);
    EXPECT_EQ(L"0.0.0.0|169.254.83.16|255.255.0.0||",
              Tcpip({L"DhcpIPAddress", L"IPAutoconfigurationAddress", L"IPAutoconfigurationMask", L"DhcpNameServer",
                     L"DhcpDomain"}));
    const CProfileData fixed = Profile(Ip(198, 51, 100, 1));
    EXPECT_EQ(0, Apply(fixed));
    EXPECT_EQ(L"198.51.100.53,198.51.100.54", Tcpip({L"NameServer"}));
    EXPECT_EQ((std::vector<std::wstring>{L"198.51.100.10"}), Lan().ipAddresses);
    EXPECT_EQ((std::vector<std::wstring>{L"255.255.255.0"}), Lan().ipMasks);
    EXPECT_EQ((std::vector<std::wstring>{L"198.51.100.1"}), Lan().gateways);
    EXPECT_EQ(0, Checks(fixed));

    const CProfileData silent = Profile(Ip(198, 51, 100, 254));
    EXPECT_EQ(0, Apply(silent));
    EXPECT_EQ(checks::kPingFailed, Checks(silent));
    ASSERT_EQ(0, TestNetworkDo(L"plug a"));
    EXPECT_EQ((std::vector<std::wstring>{L"198.51.100.10"}), Lan().ipAddresses) << "a fixed address stays";
    // The DHCP profile's four (its static gateways cleared first), three of each fixed one.
    EXPECT_EQ(10u, RecordedCommandLines().size()) << "every command recorded as before";
}

}  // namespace
