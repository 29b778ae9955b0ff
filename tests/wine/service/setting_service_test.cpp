// The real Tolvik_NetworkSettingService.exe under the service control
// manager, registered as the package's service row registers it, with
// recording stand-ins for netsh.exe and ipconfig.exe in system32. Services
// live while the prefix has a process: this test is one.
#include <gtest/gtest.h>

#include <aclapi.h>
#include <sddl.h>

#include <cstring>
#include <thread>

#include "applier/SettingRequest.h"
#include "framework/win/Event.h"
#include "framework/win/UniqueHandle.h"
#include "framework/win/WideText.h"
#include "service/ServiceRegistration.h"
#include "service/win/PipeServer.h"
#include "service/win/PipeSession.h"
#include "service/win/RequestLog.h"
#include "tests/wine/support/ApplierCases.h"
#include "tests/wine/support/SettingServiceSeed.h"
#include "tests/wine/support/TestSupport.h"

using namespace testsupport;

namespace {

// Upper bounds for the system to get somewhere; no verdict rests on them.
constexpr DWORD kStateLimitMs = 30000;
constexpr DWORD kPollMs = 50;
const wchar_t kServiceKey[] = L"SOFTWARE\\Valtrecossin\\Ortivo\\Service";

// ---- the service as the package registers it (tests/wine/support/SettingServiceSeed.h)

void SetUsersChoice(const wchar_t* choice) {
    if (choice == nullptr) {
        RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kServiceKey, L"Users");
        return;
    }
    RegSetKeyValueW(HKEY_LOCAL_MACHINE, kServiceKey, L"Users", REG_SZ, choice,
                    static_cast<DWORD>((wcslen(choice) + 1) * sizeof(wchar_t)));
}

// ---- a client of the pipe ------------------------------------------------------------

std::vector<uint8_t> RecordBytes(const CProfileData& profile) {
    return std::vector<uint8_t>(profile.Bytes(), profile.Bytes() + kSettingRequestSize);
}

// Opens the pipe as the main program does: reading, writing messages and
// setting the read mode, nothing more.
CFileHandle ConnectClient() {
    for (int attempt = 0; attempt < 3; ++attempt) {
        CFileHandle pipe(CreateFileW(WPtr(kSettingPipeName), GENERIC_READ | FILE_WRITE_DATA | FILE_WRITE_ATTRIBUTES,
                                     0, nullptr, OPEN_EXISTING, 0, nullptr));
        if (pipe.Valid()) {
            DWORD mode = PIPE_READMODE_MESSAGE;
            EXPECT_TRUE(SetNamedPipeHandleState(pipe.Get(), &mode, nullptr, nullptr));
            return CFileHandle(pipe.Release());
        }
        if (GetLastError() != ERROR_PIPE_BUSY) break;
        WaitNamedPipeW(WPtr(kSettingPipeName), kStateLimitMs);
    }
    ADD_FAILURE() << "the pipe cannot be opened: " << GetLastError();
    return CFileHandle();
}

// The reply's bytes as they came (none when the pipe broke).
std::vector<uint8_t> ReadReply(const CFileHandle& pipe) {
    uint8_t bytes[16] = {};
    DWORD read = 0;
    if (!ReadFile(pipe.Get(), bytes, sizeof(bytes), &read, nullptr)) return {};
    return std::vector<uint8_t>(bytes, bytes + read);
}

std::vector<uint8_t> Request(const std::vector<uint8_t>& message) {
    CFileHandle pipe = ConnectClient();
    DWORD written = 0;
    if (!pipe.Valid() || !WriteFile(pipe.Get(), message.data(), static_cast<DWORD>(message.size()), &written, nullptr))
        return {};
    return ReadReply(pipe);
}

std::vector<uint8_t> Reply(SettingReply reply) {
    uint8_t bytes[kSettingReplySize];
    EncodeSettingReply(reply, bytes);
    return std::vector<uint8_t>(bytes, bytes + kSettingReplySize);
}

// A connection that the service still holds: neither broken nor disconnected.
bool StillConnected(const CFileHandle& pipe) {
    DWORD available = 0;
    return PeekNamedPipe(pipe.Get(), nullptr, 0, nullptr, &available, nullptr) != FALSE;
}

bool AwaitDisconnected(const CFileHandle& pipe) {
    for (DWORD waited = 0; waited < kStateLimitMs; waited += kPollMs) {
        if (!StillConnected(pipe)) return true;
        Sleep(kPollMs);
    }
    return false;
}

std::vector<std::wstring> CommandLines() {
    std::vector<std::wstring> lines;
    for (const StandInRecord& r : ReadRecords()) lines.push_back(r.commandLine);
    return lines;
}

std::wstring Sddl(PSECURITY_DESCRIPTOR descriptor) {
    LPWSTR sddl = nullptr;
    if (!ConvertSecurityDescriptorToStringSecurityDescriptorW(descriptor, SDDL_REVISION_1, DACL_SECURITY_INFORMATION,
                                                              &sddl, nullptr))
        return L"?";
    CLocalMemory text(sddl);
    return sddl;
}

std::wstring PipeDacl() {
    CFileHandle pipe = ConnectClient();
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetSecurityInfo(pipe.Get(), SE_KERNEL_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, nullptr, nullptr,
                        &descriptor) != ERROR_SUCCESS)
        return L"?";
    CLocalMemory owned(descriptor);
    return Sddl(descriptor);
}

CProfileData Refusable(const char16_t* connection, uint32_t profileId = 1) {
    CProfileData p = ApplierProfile(connection);
    p.Record().profileId = profileId;
    return p;
}

class SettingServiceTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(InstallApplierStandIns());
        RemoveSettingService();  // left by a run that did not end
        SetUsersChoice(nullptr);
        ASSERT_TRUE(RegisterSettingService());
    }

    static void TearDownTestSuite() {
        RemoveSettingService();
        RegDeleteKeyW(HKEY_LOCAL_MACHINE, kServiceKey);
        DeleteFileW(kServiceRecordLog);
    }

    void SetUp() override {
        UseRecordLog(kServiceRecordLog);
        ASSERT_EQ(static_cast<DWORD>(SERVICE_RUNNING), StartSettingService());
    }
};

TEST_F(SettingServiceTest, RefusedRequestsGetOneAndRunNothing) {
    const std::vector<uint8_t> record = RecordBytes(ApplierProfile(u"LAN"));
    std::vector<uint8_t> longer = record;
    longer.push_back(0);
    EXPECT_EQ(Reply(SettingReply::Refused), Request(std::vector<uint8_t>(100, 1))) << "100 bytes";
    EXPECT_EQ(Reply(SettingReply::Refused), Request(longer)) << "26,149 bytes";
    EXPECT_EQ(Reply(SettingReply::Refused), Request(RecordBytes(Refusable(u"LAN", 0)))) << "profileId 0";
    EXPECT_EQ(Reply(SettingReply::Refused), Request(RecordBytes(Refusable(u"LAN\" source=static addr=1.2.3.4"))))
        << "a quote in the connection name";
    EXPECT_TRUE(CommandLines().empty());
}

TEST_F(SettingServiceTest, AGoodRequestGetsZeroAndRunsTheApplierCommandLines) {
    for (const ApplierCase& c : {FixedAddressCase(), DhcpCase()}) {
        UseRecordLog(kServiceRecordLog);
        EXPECT_EQ(Reply(SettingReply::Applied), Request(RecordBytes(c.profile)));
        EXPECT_EQ(c.commandLines, CommandLines());
        for (const StandInRecord& rec : ReadRecords())
            EXPECT_EQ(0, _wcsnicmp(SystemDir().c_str(), rec.module.c_str(), SystemDir().size())) << Narrow(rec.module);
    }
}

// The next client is answered while the one that sends nothing is still
// connected; that one is disconnected in the end.
TEST_F(SettingServiceTest, AClientThatStallsDelaysNoOther) {
    CFileHandle stalled = ConnectClient();
    ASSERT_TRUE(stalled.Valid());
    EXPECT_EQ(Reply(SettingReply::Refused), Request(std::vector<uint8_t>(100, 1)));
    EXPECT_TRUE(StillConnected(stalled));
    EXPECT_TRUE(AwaitDisconnected(stalled));
}

// More clients of each kind than the pipe has instances: every instance
// has had one.
TEST_F(SettingServiceTest, ClientsThatGoMidRequestLeaveTheServiceServing) {
    const std::vector<uint8_t> longer(kSettingRequestSize + 1, 1);
    for (DWORD i = 0; i <= kPipeInstances; ++i) {
        ConnectClient();  // and gone before writing
        CFileHandle gone = ConnectClient();
        DWORD written = 0;
        WriteFile(gone.Get(), longer.data(), static_cast<DWORD>(longer.size()), &written, nullptr);
    }  // gone before the reply
    const ApplierCase dhcp = DhcpCase();
    EXPECT_EQ(Reply(SettingReply::Applied), Request(RecordBytes(dhcp.profile)));
    EXPECT_EQ(dhcp.commandLines, CommandLines());
}

// SYSTEM and Administrators all access (FA); the clients read, write and
// set the read mode (0x12018b), but may not create an instance.
TEST_F(SettingServiceTest, ThePipeAdmitsSystemAdministratorsAndTheChosenUsersOnly) {
    EXPECT_EQ(L"D:P(A;;FA;;;SY)(A;;FA;;;BA)(A;;0x12018b;;;IU)", PipeDacl());
    SetUsersChoice(L"operators");
    EXPECT_EQ(static_cast<DWORD>(SERVICE_STOPPED), StopSettingService());
    EXPECT_EQ(static_cast<DWORD>(SERVICE_RUNNING), StartSettingService());
    EXPECT_EQ(L"D:P(A;;FA;;;SY)(A;;FA;;;BA)(A;;0x12018b;;;NO)", PipeDacl());
    SetUsersChoice(L"everyone");
    EXPECT_EQ(static_cast<DWORD>(SERVICE_STOPPED), StopSettingService());
    EXPECT_EQ(static_cast<DWORD>(SERVICE_RUNNING), StartSettingService());
    EXPECT_EQ(L"D:P(A;;FA;;;SY)(A;;FA;;;BA)(A;;0x12018b;;;IU)", PipeDacl());
    SetUsersChoice(nullptr);
}

// Stopped while one client waits to send and another's request is in its
// pause: the service stops, the request fails and its renewal never runs.
TEST_F(SettingServiceTest, AStopEndsTheWaitsAndThePause) {
    CFileHandle waiting = ConnectClient();
    const ApplierCase dhcp = DhcpCase();
    std::vector<uint8_t> reply;
    std::thread client([&] { reply = Request(RecordBytes(dhcp.profile)); });
    for (DWORD waited = 0; CommandLines().size() < 2 && waited < kStateLimitMs; waited += kPollMs) Sleep(kPollMs);
    EXPECT_EQ(static_cast<DWORD>(SERVICE_STOPPED), StopSettingService());
    client.join();
    EXPECT_EQ(Reply(SettingReply::Failed), reply);
    EXPECT_EQ(std::vector<std::wstring>(dhcp.commandLines.begin(), dhcp.commandLines.begin() + 2), CommandLines());
    EXPECT_FALSE(StillConnected(waiting));
}

// ---- the event log, through the session in this process -------------------------------

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

std::wstring UserName() {
    wchar_t name[256] = {};
    DWORD size = 256;
    GetUserNameW(name, &size);
    return name;
}

// One request on a pipe of the test's own, served by the service's session.
std::vector<uint8_t> ServeOne(const std::vector<uint8_t>& message) {
    const wchar_t name[] = L"\\\\.\\pipe\\ortivo-session-test";
    CFileHandle server(CreateNamedPipeW(name, PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED,
                                        PIPE_TYPE_MESSAGE | PIPE_READMODE_MESSAGE, 1, 64, 64, 0, nullptr));
    CFileHandle client(CreateFileW(name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    DWORD mode = PIPE_READMODE_MESSAGE;
    SetNamedPipeHandleState(client.Get(), &mode, nullptr, nullptr);
    const CEvent stop;
    CRequestApplier applier(stop.Handle());
    std::thread session([&] { ServeClient(server.Get(), applier); });
    DWORD written = 0;
    WriteFile(client.Get(), message.data(), static_cast<DWORD>(message.size()), &written, nullptr);
    const std::vector<uint8_t> reply = ReadReply(client);
    client.Close();
    session.join();
    return reply;
}

TEST(SettingServiceLog, EachRequestIsLoggedWithTheUserTheConnectionAndTheReply) {
    UseRecordLog(kServiceRecordLog);
    logged.clear();
    reportEvent = RecordEvent;
    EXPECT_EQ(Reply(SettingReply::Refused), ServeOne(RecordBytes(Refusable(u"LAN\" x"))));
    EXPECT_EQ(Reply(SettingReply::Refused), ServeOne(std::vector<uint8_t>(kSettingRequestSize + 1, 1)));
    EXPECT_EQ(Reply(SettingReply::Applied), ServeOne(RecordBytes(ApplierProfile(u"ローカル エリア接続"))));
    reportEvent = ReportEventW;
    ASSERT_EQ(3u, logged.size());
    const std::wstring user = UserName();
    EXPECT_EQ((std::vector<std::wstring>{user, L"LAN\" x", L"1"}), logged[0].strings);
    EXPECT_EQ(EVENTLOG_WARNING_TYPE, logged[0].type);
    EXPECT_EQ((std::vector<std::wstring>{user, L"", L"1"}), logged[1].strings);
    EXPECT_EQ((std::vector<std::wstring>{user, L"ローカル エリア接続", L"0"}), logged[2].strings);
    EXPECT_EQ(EVENTLOG_INFORMATION_TYPE, logged[2].type);
    for (const LoggedEvent& e : logged) EXPECT_EQ(kRequestEventId, e.id);
}

// The package names the program as the event source's message file.
TEST(SettingServiceLog, TheProgramHoldsTheEventsText) {
    HMODULE program = LoadLibraryExW((ExeDir() + L"\\Tolvik_NetworkSettingService.exe").c_str(), nullptr,
                                     LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(nullptr, program);
    const DWORD_PTR inserts[] = {reinterpret_cast<DWORD_PTR>(L"user"), reinterpret_cast<DWORD_PTR>(L"LAN"),
                                 reinterpret_cast<DWORD_PTR>(L"0")};
    wchar_t text[512] = {};
    const DWORD n = FormatMessageW(FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_ARGUMENT_ARRAY, program,
                                   kRequestEventId, 0, text, 512, reinterpret_cast<va_list*>(const_cast<DWORD_PTR*>(inserts)));
    FreeLibrary(program);
    EXPECT_EQ(L"Network setting request from user for the connection \"LAN\": reply 0.\r\n", std::wstring(text, n));
}

// ---- the instances as they are asked for ---------------------------------------------
// Wine ignores FILE_FLAG_FIRST_PIPE_INSTANCE (a pipe of the name made
// first by another process does not make the call fail): the flags handed
// to the system are checked instead.

struct PipeCall {
    std::wstring name;
    DWORD openMode, pipeMode, maxInstances;
    std::wstring sddl;
};
std::vector<PipeCall> pipeCalls;

HANDLE WINAPI RecordPipe(LPCWSTR name, DWORD openMode, DWORD pipeMode, DWORD maxInstances, DWORD out, DWORD in,
                         DWORD timeout, LPSECURITY_ATTRIBUTES security) {
    pipeCalls.push_back({name, openMode, pipeMode, maxInstances, Sddl(security->lpSecurityDescriptor)});
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
        EXPECT_EQ(L"D:P(A;;FA;;;SY)", call.sddl);
    }
}

}  // namespace
