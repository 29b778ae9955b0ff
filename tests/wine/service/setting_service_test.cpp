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
#include "service/win/PipeSession.h"
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
    std::vector<std::wstring> strings;
};
std::vector<LoggedEvent> logged;

BOOL WINAPI RecordEvent(HANDLE, WORD type, WORD, DWORD id, PSID, WORD count, DWORD, LPCWSTR* strings, LPVOID) {
    logged.push_back({type, id, std::vector<std::wstring>(strings, strings + count)});
    return TRUE;
}

// One request on a pipe of the test's own, served by the service's session.
Bytes ServeOne(const Bytes& message) {
    const wchar_t name[] = L"\\\\.\\pipe\\ortivo-session-test";
    CFileHandle server(CreateNamedPipeW(name, PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED,
                                        PIPE_TYPE_MESSAGE | PIPE_READMODE_MESSAGE, 1, 64, 64, 0, nullptr));
    CFileHandle client = ConnectClient(name);
    const CEvent stop;
    CRequestApplier applier(stop.Handle());
    std::thread session([&] { ServeClient(server.Get(), applier); });
    const Bytes reply = Exchange(client, message);
    client.Close();
    session.join();
    return reply;
}

TEST(SettingServiceLog, EachRequestIsLoggedWithTheUserTheConnectionAndTheReply) {
    UseRecordLog(kServiceRecordLog);
    logged.clear();
    reportEvent = RecordEvent;
    EXPECT_EQ(Reply(SettingReply::Refused), ServeOne(RecordBytes(Profile(u"LAN\" x"))));
    EXPECT_EQ(Reply(SettingReply::Refused), ServeOne(Bytes(kSettingRequestSize + 1, 1)));
    EXPECT_EQ(Reply(SettingReply::Applied), ServeOne(RecordBytes(Profile(u"ローカル エリア接続"))));
    reportEvent = ReportEventW;
    wchar_t user[256] = {};
    DWORD size = 256;
    GetUserNameW(user, &size);
    const struct {
        WORD type;
        std::vector<std::wstring> strings;
    } expected[] = {{EVENTLOG_WARNING_TYPE, {user, L"LAN\" x", L"1"}},
                    {EVENTLOG_WARNING_TYPE, {user, L"", L"1"}},
                    {EVENTLOG_INFORMATION_TYPE, {user, L"ローカル エリア接続", L"0"}}};
    ASSERT_EQ(3u, logged.size());
    for (std::size_t i = 0; i < logged.size(); ++i) {
        EXPECT_EQ(expected[i].strings, logged[i].strings);
        EXPECT_EQ(expected[i].type, logged[i].type);
        EXPECT_EQ(kRequestEventId, logged[i].id);
    }
}

// The package names the program as the event source's message file.
TEST(SettingServiceLog, TheProgramHoldsTheEventsText) {
    HMODULE program = LoadLibraryExW((ExeDir() + L"\\Tolvik_NetworkSettingService.exe").c_str(), nullptr,
                                     LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(nullptr, program);
    DWORD_PTR inserts[] = {reinterpret_cast<DWORD_PTR>(L"user"), reinterpret_cast<DWORD_PTR>(L"LAN"),
                           reinterpret_cast<DWORD_PTR>(L"0")};
    wchar_t text[512] = {};
    const DWORD n = FormatMessageW(FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_ARGUMENT_ARRAY, program,
                                   kRequestEventId, 0, text, 512, reinterpret_cast<va_list*>(inserts));
    FreeLibrary(program);
    EXPECT_EQ(L"Network setting request from user for the connection \"LAN\": reply 0.\r\n", std::wstring(text, n));
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
