// The real Tolvik_NetworkSettingService.exe under the service control
// manager, registered as the package registers it, with recording
// stand-ins for netsh.exe and ipconfig.exe in system32.
#include <gtest/gtest.h>

#include <aclapi.h>
#include <sddl.h>

#include <algorithm>
#include <atomic>
#include <thread>

#include "applier/SettingRequest.h"
#include "framework/win/Event.h"
#include "framework/win/WideText.h"
#include "service/ServiceRegistration.h"
#include "service/PipeSecurity.h"
#include "service/win/ClientIdentity.h"
#include "service/win/PipeServer.h"
#include "service/win/ManagedRequests.h"
#include "service/win/ProfileSource.h"
#include "service/win/RequestLog.h"
#include "system/ManagedProfiles.h"
#include "editor/ProfileJson.h"
#include "framework/Sha256.h"
#include "profile/DataFileImage.h"
#include "tests/wine/support/ApplierCases.h"
#include "tests/wine/support/DataFileGuard.h"
#include "tests/wine/support/GuiDriver.h"
#include "tests/wine/support/RegistrySeed.h"
#include "tests/wine/support/SettingServiceHost.h"
#include "tests/wine/support/TestSupport.h"

using namespace testsupport;

namespace {

// Bounds for the system to get somewhere; no verdict rests on them.
constexpr DWORD kLimitMs = 30000;
constexpr DWORD kPollMs = 50;
using Bytes = std::vector<uint8_t>;

Bytes RecordBytes(const CProfileData& profile) { return Bytes(profile.Bytes(), profile.Bytes() + kSettingRequestSize); }

Bytes Reply(SettingReply reply) {
    uint8_t bytes[kSettingReplySize];
    EncodeSettingReply(reply, bytes);
    return Bytes(bytes, bytes + kSettingReplySize);
}

// Opens the pipe as the main program does (read, write messages, set the
// read mode: nothing more) and reads messages: the one the running service
// published, unless another is named.
CFileHandle ConnectClient(std::wstring name = L"") {
    if (name.empty()) name = PublishedSettingPipe();
    for (int attempt = 0; attempt < 3; ++attempt) {
        CFileHandle pipe(CreateFileW(name.c_str(), GENERIC_READ | FILE_WRITE_DATA | FILE_WRITE_ATTRIBUTES, 0,
                                     nullptr, OPEN_EXISTING, 0, nullptr));
        DWORD mode = PIPE_READMODE_MESSAGE;
        if (pipe.Valid() && SetNamedPipeHandleState(pipe.Get(), &mode, nullptr, nullptr))
            return CFileHandle(pipe.Release());
        if (GetLastError() != ERROR_PIPE_BUSY) break;
        WaitNamedPipeW(name.c_str(), kLimitMs);
    }
    ADD_FAILURE() << "the pipe cannot be opened: " << GetLastError();
    return CFileHandle();
}

// Sends `message` and returns the reply's bytes as they came (none when the pipe broke).
Bytes Exchange(const CFileHandle& pipe, const Bytes& message) {
    uint8_t reply[16] = {};
    DWORD written = 0, read = 0;
    if (!WriteFile(pipe.Get(), message.data(), static_cast<DWORD>(message.size()), &written, nullptr) ||
        !ReadFile(pipe.Get(), reply, sizeof(reply), &read, nullptr))
        return {};
    return Bytes(reply, reply + read);
}

Bytes Request(const Bytes& message, const std::wstring& pipe = L"") { return Exchange(ConnectClient(pipe), message); }

// Neither broken nor disconnected by the service.
bool StillConnected(const CFileHandle& pipe) {
    DWORD available = 0;
    return PeekNamedPipe(pipe.Get(), nullptr, 0, nullptr, &available, nullptr) != FALSE;
}

template <class Condition>
bool AwaitTrue(Condition condition) {
    for (DWORD waited = 0; !condition() && waited < kLimitMs; waited += kPollMs) Sleep(kPollMs);
    return condition();
}

std::wstring PipeDacl() {
    CFileHandle pipe = ConnectClient();
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    LPWSTR sddl = nullptr;
    if (GetSecurityInfo(pipe.Get(), SE_KERNEL_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, nullptr, nullptr,
                        &descriptor) != ERROR_SUCCESS)
        return L"?";
    CLocalMemory owned(descriptor);
    if (!ConvertSecurityDescriptorToStringSecurityDescriptorW(descriptor, SDDL_REVISION_1, DACL_SECURITY_INFORMATION,
                                                              &sddl, nullptr))
        return L"?";
    CLocalMemory text(sddl);
    return sddl;
}

CProfileData Profile(const char16_t* connection, uint32_t profileId = 1) {
    CProfileData p = ApplierProfile(connection);
    p.Record().profileId = profileId;
    p.SetText(ProfileText::profileName, u"Office\u2066");
    return p;
}

class SettingServiceTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(InstallApplierStandIns());
        service_ = new CRunningSettingService;
        ASSERT_TRUE(service_->Running());
    }
    static void TearDownTestSuite() {
        delete service_;
        DeleteFileW(kServiceRecordLog);
    }
    void SetUp() override {
        UseRecordLog(kServiceRecordLog);
        ASSERT_EQ(static_cast<DWORD>(SERVICE_RUNNING), StartSettingService());
    }
    static CRunningSettingService* service_;
};
CRunningSettingService* SettingServiceTest::service_ = nullptr;

TEST_F(SettingServiceTest, RefusedRequestsGetOneAndRunNothing) {
    Bytes longer = RecordBytes(Profile(u"LAN"));
    longer.push_back(0);
    EXPECT_EQ(Reply(SettingReply::Refused), Request(Bytes(100, 1))) << "100 bytes";
    EXPECT_EQ(Reply(SettingReply::Refused), Request(longer)) << "26,149 bytes";
    EXPECT_EQ(Reply(SettingReply::Refused), Request(RecordBytes(Profile(u"LAN", 0)))) << "profileId 0";
    EXPECT_EQ(Reply(SettingReply::Refused), Request(RecordBytes(Profile(u"LAN\" source=static addr=1.2.3.4"))));
    EXPECT_EQ(Reply(SettingReply::Refused), Request(RecordBytes(Profile(u"*")))) << "every adapter renewed";
    EXPECT_TRUE(RecordedCommandLines().empty());
}

// A program of a user that made a pipe of the service's base name before
// the service started keeps it from nothing: the service serves a name of
// its own, drawn anew at each start and published where only SYSTEM and
// Administrators write.
TEST_F(SettingServiceTest, AGoodRequestGetsZeroAndRunsTheApplierCommandLines) {
    const std::wstring first = PublishedSettingPipe();
    ASSERT_EQ(static_cast<DWORD>(SERVICE_STOPPED), StopSettingService());
    EXPECT_EQ(L"", PublishedSettingPipe()) << "withdrawn at the stop";
    const CFileHandle squatter(CreateNamedPipeW(WPtr(kSettingPipeName), PIPE_ACCESS_DUPLEX, PIPE_TYPE_MESSAGE, 1,
                                                64, 64, 0, nullptr));
    ASSERT_TRUE(squatter.Valid());
    ASSERT_EQ(static_cast<DWORD>(SERVICE_RUNNING), StartSettingService());
    EXPECT_TRUE(IsSettingPipeName(T(PublishedSettingPipe()))) << Narrow(PublishedSettingPipe());
    EXPECT_NE(first, PublishedSettingPipe());
    CRegistrySeed seed;
    const std::wstring tcpip = SeedConnection(seed, L"LAN");
    for (const ApplierCase& c : {DhcpCase(), AdditionsCase(), FixedAddressCase()}) {
        UseRecordLog(kServiceRecordLog);
        EXPECT_EQ(Reply(SettingReply::Applied), Request(SettingRequestMessage(c.profile)));
        EXPECT_EQ(c.commandLines, RecordedCommandLines());
        if (c.profile.GetText(ProfileText::connectionName) == u"LAN")
            EXPECT_EQ(c.suffix, RegistryString(HKEY_LOCAL_MACHINE, tcpip, L"Domain"));
    }
}

// The next client is answered while the one that sends nothing is still
// connected; that one is disconnected in the end.
TEST_F(SettingServiceTest, AClientThatStallsDelaysNoOther) {
    CFileHandle stalled = ConnectClient();
    EXPECT_EQ(Reply(SettingReply::Refused), Request(Bytes(100, 1)));
    EXPECT_TRUE(StillConnected(stalled));
    EXPECT_TRUE(AwaitTrue([&] { return !StillConnected(stalled); }));
}

// More clients of each kind than the pipe has instances: every instance
// has had one.
TEST_F(SettingServiceTest, ClientsThatGoMidRequestLeaveTheServiceServing) {
    const Bytes longer(kSettingRequestSize + 1, 1);
    for (std::size_t i = 0; i <= CSessionTurns::kConnectionsPerSession; ++i) {
        ConnectClient();  // and gone before writing
        CFileHandle gone = ConnectClient();
        DWORD written = 0;
        WriteFile(gone.Get(), longer.data(), static_cast<DWORD>(longer.size()), &written, nullptr);
    }  // gone before the reply
    const ApplierCase dhcp = DhcpCase();
    EXPECT_EQ(Reply(SettingReply::Applied), Request(RecordBytes(dhcp.profile)));
    EXPECT_EQ(dhcp.commandLines, RecordedCommandLines());
}

// SYSTEM and Administrators all access (FA); interactive users read, write
// and set the read mode (0x12018b), but may not create an instance. Whom
// the service serves is its own decision: only the string "interactive"
// admits every interactive user (a refused record gets 1); anything else
// means the operators, whom the test's user is not among (2, not permitted).
TEST_F(SettingServiceTest, OnlyTheStringInteractiveAdmitsEveryInteractiveUser) {
    const struct {
        const wchar_t* value;  // none: no value
        DWORD type;
        SettingReply reply;
    } rows[] = {{L"interactive", REG_SZ, SettingReply::Refused},       {nullptr, REG_NONE, SettingReply::NotPermitted},
                {L"operators", REG_SZ, SettingReply::NotPermitted},    {L"interactve", REG_SZ, SettingReply::NotPermitted},
                {L"1", REG_DWORD, SettingReply::NotPermitted},         {L"interactive", REG_EXPAND_SZ, SettingReply::NotPermitted}};
    {
        CRegistrySeed seed;
        const std::wstring key = W(kServiceSettingsKey);
        for (const auto& row : rows) {
            SCOPED_TRACE(Narrow(row.value ? row.value : L"none") + " " + std::to_string(row.type));
            ASSERT_TRUE(!row.value                 ? seed.DeleteValue(HKEY_LOCAL_MACHINE, key, L"Users")
                        : row.type == REG_DWORD ? seed.SetDword(HKEY_LOCAL_MACHINE, key, L"Users", 1)
                                                : seed.SetString(HKEY_LOCAL_MACHINE, key, L"Users", row.value, row.type));
            ASSERT_EQ(static_cast<DWORD>(SERVICE_STOPPED), StopSettingService());
            ASSERT_EQ(static_cast<DWORD>(SERVICE_RUNNING), StartSettingService());
            EXPECT_EQ(L"D:P(A;;FA;;;SY)(A;;FA;;;BA)(A;;0x12018b;;;IU)", PipeDacl());
            EXPECT_EQ(Reply(row.reply), Request(RecordBytes(Profile(u"LAN\" x"))));
        }
    }  // the choice as it was, read at the next start
    EXPECT_EQ(static_cast<DWORD>(SERVICE_STOPPED), StopSettingService());
    EXPECT_TRUE(RecordedCommandLines().empty());
}

// Stopped while one client waits to send and another's request is in its
// pause, or in a command that never ends by itself: the service stops
// within its bound, the request fails and no further command runs.
TEST_F(SettingServiceTest, AStopEndsTheWaitsThePauseAndARunningCommand) {
    const ApplierCase dhcp = DhcpCase();
    const CProfileData hanging = Profile(u"ortivo-standin-hang");
    const CProfileData* profiles[] = {&dhcp.profile, &hanging};
    for (const CProfileData* profile : profiles) {
        UseRecordLog(kServiceRecordLog);
        ASSERT_EQ(static_cast<DWORD>(SERVICE_RUNNING), StartSettingService());
        CFileHandle waiting = ConnectClient();
        const size_t ran = profile == &hanging ? 1 : 3;  // the first command hangs; or the settings, then the pause
        Bytes reply;
        std::thread client([&] { reply = Request(RecordBytes(*profile)); });
        AwaitTrue([&] { return RecordedCommandLines().size() >= ran; });
        EXPECT_EQ(static_cast<DWORD>(SERVICE_STOPPED), StopSettingService());
        client.join();
        EXPECT_EQ(Reply(SettingReply::Failed), reply);
        EXPECT_EQ(ran, RecordedCommandLines().size());
        EXPECT_FALSE(StillConnected(waiting));
    }
}

// ---- in this process: Wine writes no event and ignores FILE_FLAG_FIRST_PIPE_INSTANCE --

struct LoggedEvent {
    WORD type;
    DWORD id;
    Bytes user;
    std::vector<std::wstring> strings;
};
std::vector<LoggedEvent> logged;
ULONGLONG nowMs = 0;

BOOL WINAPI RecordEvent(HANDLE, WORD type, WORD, DWORD id, PSID user, WORD count, DWORD, LPCWSTR* strings, LPVOID) {
    const auto* sid = static_cast<const uint8_t*>(user);
    logged.push_back({type, id, sid ? Bytes(sid, sid + GetLengthSid(user)) : Bytes(),
                      std::vector<std::wstring>(strings, strings + count)});
    return TRUE;
}

ULONGLONG WINAPI TestClock() { return nowMs; }

// The service's pipe served in this process, under a name of the test's.
class CInProcessSettingPipe {
public:
    static constexpr wchar_t kName[] = L"\\\\.\\pipe\\ortivo-in-process-test";

    explicit CInProcessSettingPipe(ServiceUsers users = ServiceUsers::Interactive)
        : pipe_(CommandScope{stop_.Handle(), nullptr}, users) {
        created_ = pipe_.Create(T(kName), SettingPipeSddl());
        if (created_ == ERROR_SUCCESS) listener_ = std::thread([this] { pipe_.Listen(); });
    }
    ~CInProcessSettingPipe() {
        stop_.Set();
        if (listener_.joinable()) listener_.join();
        pipe_.AwaitClients(kLimitMs, [] {});
    }
    CInProcessSettingPipe(const CInProcessSettingPipe&) = delete;
    CInProcessSettingPipe& operator=(const CInProcessSettingPipe&) = delete;
    DWORD Created() const { return created_; }

private:
    CEvent stop_;
    CSettingPipe pipe_;
    DWORD created_ = ERROR_INVALID_FUNCTION;
    std::thread listener_;
};

// Events go to the recorder, and the clock stands still until a test moves it.
class SettingServiceLog : public ::testing::Test {
protected:
    void SetUp() override { logged.clear(); reportEvent = RecordEvent; tickCount = TestClock; }
    void TearDown() override { reportEvent = ReportEventW; tickCount = GetTickCount64; }
};

TEST_F(SettingServiceLog, EachRequestIsLoggedWithTheClientTheEscapedConnectionAndTheReply) {
    const Bytes sid = {1, 2, 0, 0, 0, 0, 0, 5, 21, 0, 0, 0, 0xE9, 3, 0, 0};  // S-1-5-21-1001
    const struct {
        Bytes message;
        SettingReply reply;
        WORD type;
        std::vector<std::wstring> strings;
    } rows[] = {
        {RecordBytes(Profile(u"LAN\r\n\u202Egnp.exe")), SettingReply::Refused, EVENTLOG_WARNING_TYPE,
         {L"4242", L"3", L"Office\\u2066", L"LAN\\u000D\\u000A\\u202Egnp.exe", L"1"}},
        {Bytes(kSettingRequestMaxSize + 1, 1), SettingReply::Refused, EVENTLOG_WARNING_TYPE,
         {L"4242", L"3", L"", L"", L"1"}},
        {RecordBytes(Profile(u"ローカル エリア接続")), SettingReply::Applied, EVENTLOG_INFORMATION_TYPE,
         {L"4242", L"3", L"Office\\u2066", L"ローカル エリア接続", L"0"}},
        {RecordBytes(Profile(u"LAN")), SettingReply::Busy, EVENTLOG_WARNING_TYPE,
         {L"4242", L"3", L"Office\\u2066", L"LAN", L"3"}},
        {RecordBytes(Profile(u"LAN")), SettingReply::Failed, EVENTLOG_ERROR_TYPE,
         {L"4242", L"3", L"Office\\u2066", L"LAN", L"-1"}}};
    for (const auto& row : rows) {
        logged.clear();
        LogRequest(RequestClient{sid, 4242, 3}, row.message.data(), row.message.size(), row.reply);
        ASSERT_EQ(1u, logged.size());
        EXPECT_EQ(kRequestEventId, logged[0].id);
        EXPECT_EQ(sid, logged[0].user);
        EXPECT_EQ(row.type, logged[0].type);
        EXPECT_EQ(row.strings, logged[0].strings);
    }
    LogRequest(RequestClient{Bytes(sid.begin(), sid.end() - 1), 4242, 3}, nullptr, 0, SettingReply::Refused);
    EXPECT_EQ(Bytes(), logged.at(1).user) << "no SID";
}

// The limit's decisions are tested natively; here, that the log keeps to
// them: session 11's 31st request of a minute is not written, and the
// count is written at the stop.
TEST_F(SettingServiceLog, ASessionsRequestsBeyondThirtyAMinuteAreCountedInOneEvent) {
    nowMs = 5000000;
    for (int i = 0; i < 31; ++i) LogRequest(RequestClient{{}, 1, 11}, nullptr, 0, SettingReply::Refused);
    ASSERT_EQ(30u, logged.size());
    LogLeftOutRequests();
    ASSERT_EQ(31u, logged.size());
    EXPECT_EQ(kLeftOutEventId, logged.back().id);
    EXPECT_EQ(EVENTLOG_WARNING_TYPE, logged.back().type);
    EXPECT_EQ((std::vector<std::wstring>{L"11", L"1"}), logged.back().strings);
}

// The package names the program as the event source's message file.
TEST_F(SettingServiceLog, TheProgramHoldsTheEventsText) {
    HMODULE program = LoadLibraryExW((ExeDir() + L"\\Tolvik_NetworkSettingService.exe").c_str(), nullptr,
                                     LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(nullptr, program);
    const struct {
        DWORD id;
        std::vector<const wchar_t*> inserts;
        std::wstring text;
    } rows[] = {{kRequestEventId, {L"4242", L"3", L"Office", L"LAN", L"0"},
                 L"Network setting request from process 4242 in session 3 for the profile \"Office\" on the "
                 L"connection \"LAN\": reply 0.\r\n"},
                {kLeftOutEventId, {L"3", L"12"},
                 L"12 network setting requests from session 3 were not logged: too many came within one minute.\r\n"},
                {kSourceImportedEventId, {L"C:\\p.json", L"ab12", L"2"},
                 L"The profile source C:\\p.json was imported into the data file: SHA-256 ab12, 2 profiles.\r\n"},
                {kSourceRefusedEventId, {L"C:\\p.json", L"why"},
                 L"The profile source C:\\p.json was not imported; the data file is unchanged: why\r\n"},
                {kDataNotProtectedEventId, {L"C:\\d.dat"},
                 L"The data file C:\\d.dat or its folder may be changed by users: in managed mode every request is "
                 L"refused until only SYSTEM, Administrators and TrustedInstaller own and may change them.\r\n"}};
    for (const auto& row : rows) {
        std::vector<DWORD_PTR> inserts;
        for (const wchar_t* insert : row.inserts) inserts.push_back(reinterpret_cast<DWORD_PTR>(insert));
        wchar_t text[1024] = {};
        const DWORD n = FormatMessageW(FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_ARGUMENT_ARRAY, program, row.id, 0,
                                       text, 1024, reinterpret_cast<va_list*>(inserts.data()));
        EXPECT_EQ(row.text, std::wstring(text, n)) << row.id;
    }
    FreeLibrary(program);
}

// ---- managed mode: the policy on, the data file of the test's, its security through the seam ----

Text ManagedFolderSddl(const std::wstring&) { return u"O:SYD:PAI(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;FRFX;;;BU)"; }
Text DefaultFolderSddl(const std::wstring&) { return u"O:SYD:PAI(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;FRFWFXSD;;;BU)"; }

class ManagedService : public SettingServiceLog {
protected:
    void SetUp() override {
        SettingServiceLog::SetUp();
        ASSERT_TRUE(policy_.SetDword(HKEY_LOCAL_MACHINE, W(kPolicyKey), WPtr(kManagedProfilesPolicy), 1));
        UseRecordLog(TempDir() + L"\\record.log");
    }
    void TearDown() override {
        securitySddl = saved_;
        SettingServiceLog::TearDown();
    }
    // The events of one id.
    static std::size_t Count(DWORD id) {
        return std::count_if(logged.begin(), logged.end(), [id](const LoggedEvent& e) { return e.id == id; });
    }

    CDataFileGuard data_;
    CRegistrySeed policy_;
    const SecuritySddlCall saved_ = securitySddl;
};

// A profile of the file is applied; the same record with one byte changed
// runs nothing (2); with the folder writable by users every request gets
// 2, and one event says why.
TEST_F(ManagedService, OnlyAProfileOfAProtectedDataFileIsApplied) {
    const ApplierCase fixed = FixedAddressCase();
    CProfileCollection file;
    file.Add(fixed.profile);
    std::vector<uint8_t> image;
    ASSERT_EQ(0, datafile::Encode(file, image));
    ASSERT_TRUE(WriteFileBytes(CDataFileGuard::Path(), image));
    CProfileData changed;
    changed.CopyFrom(fixed.profile);
    changed.Record().alternateDns ^= 1;
    securitySddl = ManagedFolderSddl;
    const CInProcessSettingPipe pipe;
    EXPECT_EQ(Reply(SettingReply::Applied), Request(RecordBytes(fixed.profile), CInProcessSettingPipe::kName));
    EXPECT_EQ(fixed.commandLines, RecordedCommandLines());
    EXPECT_EQ(Reply(SettingReply::NotPermitted), Request(RecordBytes(changed), CInProcessSettingPipe::kName));
    securitySddl = DefaultFolderSddl;
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(Reply(SettingReply::NotPermitted), Request(RecordBytes(fixed.profile), CInProcessSettingPipe::kName));
    EXPECT_EQ(fixed.commandLines, RecordedCommandLines()) << "nothing ran after the first";
    EXPECT_EQ(1u, Count(kDataNotProtectedEventId));
}

// The policy's source is imported when it is new or changed, and logged; a
// refused one leaves the data file as it was.
TEST_F(ManagedService, TheProfileSourceIsImportedWhenItChangesAndARefusedOneChangesNothing) {
    const std::wstring sourceFile = TempDir() + L"\\source.json";
    ASSERT_TRUE(policy_.SetString(HKEY_LOCAL_MACHINE, W(kPolicyKey), WPtr(kProfilesSourcePolicy), sourceFile));
    CProfileData office = ApplierProfile(u"LAN"), home = ApplierProfile(u"Wi-Fi");
    office.SetText(ProfileText::profileName, u"Office");
    home.SetText(ProfileText::profileName, u"Home");
    office.Record().iconIndex = home.Record().iconIndex = 0;
    const std::string json = profilejson::Write({office, home});
    ASSERT_TRUE(WriteFileBytes(sourceFile, Bytes(json.begin(), json.end())));
    CProfileSource source;
    source.Look();
    source.Look();  // unchanged: nothing more
    ASSERT_EQ(1u, logged.size());
    CProfileCollection imported;
    const Bytes data = FileBytes(CDataFileGuard::Path());
    ASSERT_EQ(0, datafile::Decode(data.data(), data.size(), imported)) << Narrow(logged[0].strings.back());
    EXPECT_EQ(2, imported.Count());
    const Sha256Digest digest = Sha256(reinterpret_cast<const uint8_t*>(json.data()), json.size());
    ASSERT_EQ(1u, logged.size());
    EXPECT_EQ(kSourceImportedEventId, logged[0].id);
    EXPECT_EQ((std::vector<std::wstring>{sourceFile, W(text::LowerHex(digest.data(), digest.size())), L"2"}),
              logged[0].strings);

    ASSERT_TRUE(WriteFileBytes(sourceFile, Bytes{'{', '}'}));
    source.Look();
    EXPECT_EQ(data, FileBytes(CDataFileGuard::Path())) << "the data file changed";
    ASSERT_EQ(2u, logged.size());
    EXPECT_EQ(kSourceRefusedEventId, logged[1].id);
    EXPECT_EQ(EVENTLOG_WARNING_TYPE, logged[1].type);
    EXPECT_NE(std::wstring::npos, logged[1].strings.at(1).find(L"インポートできませんでした。")) << Narrow(logged[1].strings[1]);
}

struct PipeCall {
    std::wstring name;
    DWORD openMode, pipeMode, maxInstances;
};
std::vector<PipeCall> pipeCalls;

// Records each instance made; a client comes to the second one and goes
// again before the service waits for it there.
HANDLE WINAPI RecordPipe(LPCWSTR name, DWORD openMode, DWORD pipeMode, DWORD maxInstances, DWORD out, DWORD in,
                         DWORD timeout, LPSECURITY_ATTRIBUTES security) {
    pipeCalls.push_back({name, openMode, pipeMode, maxInstances});
    const HANDLE instance = CreateNamedPipeW(name, openMode, pipeMode, maxInstances, out, in, timeout, security);
    if (pipeCalls.size() == 2) ConnectClient(name);  // and gone
    return instance;
}

// One instance listens at a time, a new one as soon as a client came; only
// the first must make the pipe. An instance whose client went before the
// service waited there listens again.
TEST(SettingPipeInstances, OneListensAtATimeAndOneWhoseClientWentFirstListensAgain) {
    UseRecordLog(TempDir() + L"\\record.log");
    pipeCalls.clear();
    createNamedPipe = RecordPipe;
    {
        const CInProcessSettingPipe pipe;
        ASSERT_EQ(static_cast<DWORD>(ERROR_SUCCESS), pipe.Created());
        for (int i = 0; i < 2; ++i)
            EXPECT_EQ(Reply(SettingReply::Refused), Request(Bytes(100, 1), CInProcessSettingPipe::kName)) << i;
    }
    createNamedPipe = CreateNamedPipeW;
    ASSERT_EQ(3u, pipeCalls.size());
    for (const PipeCall& call : pipeCalls) {
        const DWORD first = &call == &pipeCalls.front() ? FILE_FLAG_FIRST_PIPE_INSTANCE : 0;
        EXPECT_EQ(CInProcessSettingPipe::kName, call.name);
        EXPECT_EQ(static_cast<DWORD>(PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED) | first, call.openMode);
        EXPECT_EQ(static_cast<DWORD>(PIPE_TYPE_MESSAGE | PIPE_READMODE_MESSAGE | PIPE_REJECT_REMOTE_CLIENTS),
                  call.pipeMode);
        EXPECT_EQ(static_cast<DWORD>(PIPE_UNLIMITED_INSTANCES), call.maxInstances);
    }
}

// ---- sessions: this program run again is the client of another session ----

constexpr wchar_t kOtherSessionPipe[] = L"ORTIVO_TEST_OTHER_SESSION_PIPE";

// Every client process but this one is of a session of its own.
BOOL WINAPI SessionOfProcess(HANDLE pipe, PULONG session) {
    ULONG process = 0;
    if (!GetNamedPipeClientProcessId(pipe, &process)) return FALSE;
    *session = process == GetCurrentProcessId() ? 1 : 2;
    return TRUE;
}

// Run only as that client: one request, which must be applied.
TEST(SettingPipeOtherSession, OneRequestIsApplied) {
    wchar_t name[MAX_PATH] = {};
    if (GetEnvironmentVariableW(kOtherSessionPipe, name, MAX_PATH) == 0) GTEST_SKIP() << "another session's client";
    gui::RunProgram(ExeDir() + L"\\recording_standin.exe", L"other-session-asks", kLimitMs);
    EXPECT_EQ(Reply(SettingReply::Applied), Request(RecordBytes(Profile(u"Other")), name));
}

// One session holds a stalled connection and two loops of requests: it has
// one request queued or running at a time (the other loop hears 3, busy),
// and another session's request waits for one run of it at most.
TEST(SettingPipeSessions, AStalledAndALoopingSessionKeepAnotherWaitingForOneRunAtMost) {
    UseRecordLog(TempDir() + L"\\record.log");
    clientSessionId = SessionOfProcess;
    const CInProcessSettingPipe pipe;
    const CFileHandle stalled = ConnectClient(CInProcessSettingPipe::kName);
    std::atomic<bool> done{false};
    std::atomic<int> busy{0};
    auto loop = [&] {
        for (int i = 0; i < 1000 && !done; ++i)
            if (Request(RecordBytes(Profile(u"Loop")), CInProcessSettingPipe::kName) == Reply(SettingReply::Busy)) {
                ++busy;
                Sleep(kPollMs);
            }
    };
    std::thread first(loop), second(loop);
    AwaitTrue([] { return !RecordedCommandLines().empty(); });
    SetEnvironmentVariableW(kOtherSessionPipe, CInProcessSettingPipe::kName);
    const long other = gui::RunProgram(ExeDir() + L"\\setting_service_tests.exe",
                                       L"--gtest_filter=SettingPipeOtherSession.*", 2 * kLimitMs);
    SetEnvironmentVariableW(kOtherSessionPipe, nullptr);
    done = true;
    first.join();
    second.join();
    clientSessionId = GetNamedPipeClientSessionId;
    EXPECT_EQ(0, other) << "the other session's request was not applied";
    EXPECT_GT(busy.load(), 0);
    const std::vector<std::wstring> lines = RecordedCommandLines();
    const auto asked = std::find_if(lines.begin(), lines.end(),
                                    [](const std::wstring& l) { return l.find(L"other-session-asks") != l.npos; });
    const auto applied = std::find_if(asked, lines.end(),
                                      [](const std::wstring& l) { return l.find(L"\"Other\"") != l.npos; });
    ASSERT_NE(lines.end(), applied);
    EXPECT_LE(std::count_if(asked, applied, [](const std::wstring& l) { return l.find(L"\"Loop\"") != l.npos; }), 4)
        << "more than the one run (four commands) that was running";
}

}  // namespace
