// The real Tolvik_NetworkSettingService.exe under the service control
// manager, registered as the package registers it, with recording
// stand-ins for netsh.exe and ipconfig.exe in system32.
#include <gtest/gtest.h>

#include <aclapi.h>
#include <sddl.h>

#include <thread>

#include "applier/SettingRequest.h"
#include "framework/win/Event.h"
#include "framework/win/WideText.h"
#include "service/ServiceRegistration.h"
#include "service/win/PipeServer.h"
#include "service/win/RequestLog.h"
#include "tests/wine/support/ApplierCases.h"
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
// read mode: nothing more) and reads messages.
CFileHandle ConnectClient(const wchar_t* name = WPtr(kSettingPipeName)) {
    for (int attempt = 0; attempt < 3; ++attempt) {
        CFileHandle pipe(CreateFileW(name, GENERIC_READ | FILE_WRITE_DATA | FILE_WRITE_ATTRIBUTES, 0, nullptr,
                                     OPEN_EXISTING, 0, nullptr));
        DWORD mode = PIPE_READMODE_MESSAGE;
        if (pipe.Valid() && SetNamedPipeHandleState(pipe.Get(), &mode, nullptr, nullptr))
            return CFileHandle(pipe.Release());
        if (GetLastError() != ERROR_PIPE_BUSY) break;
        WaitNamedPipeW(name, kLimitMs);
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

Bytes Request(const Bytes& message) { return Exchange(ConnectClient(), message); }

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
    return p;
}

class SettingServiceTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(InstallApplierStandIns());
        ASSERT_TRUE(RegisterSettingService());
    }
    static void TearDownTestSuite() {
        RemoveSettingService();
        DeleteFileW(kServiceRecordLog);
    }
    void SetUp() override {
        UseRecordLog(kServiceRecordLog);
        ASSERT_EQ(static_cast<DWORD>(SERVICE_RUNNING), StartSettingService());
    }
};

TEST_F(SettingServiceTest, RefusedRequestsGetOneAndRunNothing) {
    Bytes longer = RecordBytes(Profile(u"LAN"));
    longer.push_back(0);
    EXPECT_EQ(Reply(SettingReply::Refused), Request(Bytes(100, 1))) << "100 bytes";
    EXPECT_EQ(Reply(SettingReply::Refused), Request(longer)) << "26,149 bytes";
    EXPECT_EQ(Reply(SettingReply::Refused), Request(RecordBytes(Profile(u"LAN", 0)))) << "profileId 0";
    EXPECT_EQ(Reply(SettingReply::Refused), Request(RecordBytes(Profile(u"LAN\" source=static addr=1.2.3.4"))));
    EXPECT_TRUE(RecordedCommandLines().empty());
}

TEST_F(SettingServiceTest, AGoodRequestGetsZeroAndRunsTheApplierCommandLines) {
    for (const ApplierCase& c : {FixedAddressCase(), DhcpCase()}) {
        UseRecordLog(kServiceRecordLog);
        EXPECT_EQ(Reply(SettingReply::Applied), Request(RecordBytes(c.profile)));
        EXPECT_EQ(c.commandLines, RecordedCommandLines());
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
    for (DWORD i = 0; i <= kPipeInstances; ++i) {
        ConnectClient();  // and gone before writing
        CFileHandle gone = ConnectClient();
        DWORD written = 0;
        WriteFile(gone.Get(), longer.data(), static_cast<DWORD>(longer.size()), &written, nullptr);
    }  // gone before the reply
    const ApplierCase dhcp = DhcpCase();
    EXPECT_EQ(Reply(SettingReply::Applied), Request(RecordBytes(dhcp.profile)));
    EXPECT_EQ(dhcp.commandLines, RecordedCommandLines());
}

// SYSTEM and Administrators all access (FA); the chosen users read, write
// and set the read mode (0x12018b), but may not create an instance.
TEST_F(SettingServiceTest, ThePipeAdmitsSystemAdministratorsAndTheChosenUsersOnly) {
    CRegistrySeed seed;
    const std::wstring key = W(kServiceSettingsKey);
    const struct {
        const wchar_t* choice;
        const wchar_t* users;
    } rows[] = {{nullptr, L"IU"}, {L"operators", L"NO"}, {L"everyone", L"IU"}};
    for (const auto& row : rows) {
        ASSERT_TRUE(row.choice ? seed.SetString(HKEY_LOCAL_MACHINE, key, L"Users", row.choice)
                               : seed.DeleteValue(HKEY_LOCAL_MACHINE, key, L"Users"));
        ASSERT_EQ(static_cast<DWORD>(SERVICE_STOPPED), StopSettingService());
        ASSERT_EQ(static_cast<DWORD>(SERVICE_RUNNING), StartSettingService());
        EXPECT_EQ(L"D:P(A;;FA;;;SY)(A;;FA;;;BA)(A;;0x12018b;;;" + std::wstring(row.users) + L")", PipeDacl());
    }
}

// Stopped while one client waits to send and another's request is in its
// pause: the service stops, the request fails and its renewal never runs.
TEST_F(SettingServiceTest, AStopEndsTheWaitsAndThePause) {
    CFileHandle waiting = ConnectClient();
    const ApplierCase dhcp = DhcpCase();
    Bytes reply;
    std::thread client([&] { reply = Request(RecordBytes(dhcp.profile)); });
    AwaitTrue([] { return RecordedCommandLines().size() >= 2; });
    EXPECT_EQ(static_cast<DWORD>(SERVICE_STOPPED), StopSettingService());
    client.join();
    EXPECT_EQ(Reply(SettingReply::Failed), reply);
    EXPECT_EQ(std::vector<std::wstring>(dhcp.commandLines.begin(), dhcp.commandLines.begin() + 2), RecordedCommandLines());
    EXPECT_FALSE(StillConnected(waiting));
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
         {L"4242", L"3", L"LAN\\u000D\\u000A\\u202Egnp.exe", L"1"}},
        {Bytes(kSettingRequestSize + 1, 1), SettingReply::Refused, EVENTLOG_WARNING_TYPE, {L"4242", L"3", L"", L"1"}},
        {RecordBytes(Profile(u"ローカル エリア接続")), SettingReply::Applied, EVENTLOG_INFORMATION_TYPE,
         {L"4242", L"3", L"ローカル エリア接続", L"0"}},
        {RecordBytes(Profile(u"LAN")), SettingReply::NotPermitted, EVENTLOG_WARNING_TYPE, {L"4242", L"3", L"LAN", L"2"}},
        {RecordBytes(Profile(u"LAN")), SettingReply::Busy, EVENTLOG_WARNING_TYPE, {L"4242", L"3", L"LAN", L"3"}},
        {RecordBytes(Profile(u"LAN")), SettingReply::Failed, EVENTLOG_ERROR_TYPE, {L"4242", L"3", L"LAN", L"-1"}}};
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

// Session 11 sends 31 requests within a minute, session 12 one; session
// 13's request beyond its 30 is still owed at the stop.
TEST_F(SettingServiceLog, ASessionsRequestsBeyondThirtyAMinuteAreCountedInOneEvent) {
    const auto request = [](DWORD session) {
        LogRequest(RequestClient{{}, 1, session}, nullptr, 0, SettingReply::Refused);
    };
    nowMs = 5000000;
    for (int i = 0; i < 31; ++i) request(11);
    request(12);
    ASSERT_EQ(31u, logged.size());
    EXPECT_EQ(L"12", logged.back().strings[1]);
    nowMs += 60000;
    request(11);
    for (int i = 0; i < 31; ++i) request(13);
    LogLeftOutRequests();
    LogLeftOutRequests();
    const struct {
        std::size_t at;
        DWORD id;
        std::vector<std::wstring> strings;
    } rows[] = {{31, kLeftOutEventId, {L"11", L"1"}}, {32, kRequestEventId, {L"1", L"11", L"", L"1"}},
                {63, kLeftOutEventId, {L"13", L"1"}}};
    ASSERT_EQ(64u, logged.size());
    for (const auto& row : rows) {
        EXPECT_EQ(row.id, logged[row.at].id) << row.at;
        EXPECT_EQ(row.strings, logged[row.at].strings) << row.at;
    }
    EXPECT_EQ(EVENTLOG_WARNING_TYPE, logged[31].type);
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
    } rows[] = {{kRequestEventId, {L"4242", L"3", L"LAN", L"0"},
                 L"Network setting request from process 4242 in session 3 for the connection \"LAN\": reply 0.\r\n"},
                {kLeftOutEventId, {L"3", L"12"},
                 L"12 network setting requests from session 3 were not logged: too many came within one minute.\r\n"}};
    for (const auto& row : rows) {
        std::vector<DWORD_PTR> inserts;
        for (const wchar_t* insert : row.inserts) inserts.push_back(reinterpret_cast<DWORD_PTR>(insert));
        wchar_t text[512] = {};
        const DWORD n = FormatMessageW(FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_ARGUMENT_ARRAY, program, row.id, 0,
                                       text, 512, reinterpret_cast<va_list*>(inserts.data()));
        EXPECT_EQ(row.text, std::wstring(text, n)) << row.id;
    }
    FreeLibrary(program);
}

struct PipeCall {
    std::wstring name;
    DWORD openMode, pipeMode, maxInstances;
};
std::vector<PipeCall> pipeCalls;

HANDLE WINAPI RecordPipe(LPCWSTR name, DWORD openMode, DWORD pipeMode, DWORD maxInstances, DWORD out, DWORD in,
                         DWORD timeout, LPSECURITY_ATTRIBUTES security) {
    pipeCalls.push_back({name, openMode, pipeMode, maxInstances});
    return CreateNamedPipeW(L"\\\\.\\pipe\\ortivo-instance-test", openMode, pipeMode, maxInstances, out, in,
                            timeout, security);
}

TEST(SettingPipeInstances, OnlyTheFirstMustMakeThePipeAndNoneTakesRemoteClients) {
    pipeCalls.clear();
    createNamedPipe = RecordPipe;
    {
        const CEvent stop;
        CSettingPipe pipe(stop.Handle());
        EXPECT_EQ(static_cast<DWORD>(ERROR_SUCCESS), pipe.Create(u"D:P(A;;FA;;;SY)"));
    }
    createNamedPipe = CreateNamedPipeW;
    ASSERT_EQ(kPipeInstances, pipeCalls.size());
    for (const PipeCall& call : pipeCalls) {
        const DWORD first = &call == &pipeCalls.front() ? FILE_FLAG_FIRST_PIPE_INSTANCE : 0;
        EXPECT_EQ(WPtr(kSettingPipeName), call.name);
        EXPECT_EQ(static_cast<DWORD>(PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED) | first, call.openMode);
        EXPECT_EQ(static_cast<DWORD>(PIPE_TYPE_MESSAGE | PIPE_READMODE_MESSAGE | PIPE_REJECT_REMOTE_CLIENTS),
                  call.pipeMode);
        EXPECT_EQ(kPipeInstances, call.maxInstances);
    }
}

}  // namespace
