#include "switching/win/SettingServiceClient.h"

#include "framework/win/Event.h"
#include "framework/win/UniqueHandle.h"
#include "framework/win/WideText.h"
#include "service/ServiceRegistration.h"

namespace {

// All instances busy (the service makes a new one as soon as one has a
// client): each wait for a free one lasts a second at most.
constexpr DWORD kBusyWaitMs = 1000;
constexpr int kBusyWaits = 6;

// The name of the pipe that the running service published, where only
// SYSTEM and Administrators can write; empty when there is none of the
// service's form.
std::wstring PublishedPipeName() {
    CRegKey key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, WPtr(kServiceSettingsKey), 0, KEY_QUERY_VALUE | KEY_WOW64_64KEY,
                      key.Receive()) != ERROR_SUCCESS)
        return std::wstring();
    wchar_t name[MAX_PATH + 1] = {};
    DWORD type = 0;
    DWORD bytes = MAX_PATH * sizeof(wchar_t);
    if (RegQueryValueExW(key.Get(), WPtr(kServicePipeValue), nullptr, &type, reinterpret_cast<BYTE*>(name), &bytes) !=
            ERROR_SUCCESS ||
        type != REG_SZ || !IsSettingPipeName(T(name)))  // terminated: one unit more than was read
        return std::wstring();
    return name;
}

bool Stopped(HANDLE stop) { return stop != nullptr && WaitForSingleObject(stop, 0) == WAIT_OBJECT_0; }

// What the client end asks for: reading, writing data and the read mode.
// Not GENERIC_WRITE: for a pipe it includes the right to create an instance
// (FILE_APPEND_DATA is FILE_CREATE_PIPE_INSTANCE), which no user of
// the service may have.
constexpr DWORD kClientAccess = GENERIC_READ | FILE_WRITE_DATA | FILE_WRITE_ATTRIBUTES;

// The client end of the pipe `name`, for overlapped reads and writes. The
// service may learn who asks (identification) but never act as that user.
HANDLE OpenSettingPipe(const std::wstring& name, HANDLE stop) {
    for (int wait = 0;; ++wait) {
        const HANDLE pipe = CreateFileW(name.c_str(), kClientAccess, 0, nullptr, OPEN_EXISTING,
                                        FILE_FLAG_OVERLAPPED | SECURITY_SQOS_PRESENT | SECURITY_IDENTIFICATION,
                                        nullptr);
        if (pipe != INVALID_HANDLE_VALUE) return pipe;
        if (GetLastError() != ERROR_PIPE_BUSY || wait == kBusyWaits || Stopped(stop)) return INVALID_HANDLE_VALUE;
        WaitNamedPipeW(name.c_str(), kBusyWaitMs);
    }
}

// The reads and writes of one request, together within the request's wait.
class CPipeExchange {
public:
    CPipeExchange(HANDLE pipe, const SettingServiceWait& wait) : pipe_(pipe), wait_(wait), roundsLeft_(wait.rounds) {}

    bool Write(const uint8_t* bytes, DWORD size, DWORD& written) {
        Begin();
        return Await(WriteFile(pipe_, bytes, size, nullptr, &overlapped_), written);
    }
    // One whole message; a longer one fails (ERROR_MORE_DATA).
    bool Read(uint8_t* bytes, DWORD size, DWORD& read) {
        Begin();
        return Await(ReadFile(pipe_, bytes, size, nullptr, &overlapped_), read);
    }

private:
    void Begin() {
        overlapped_ = {};
        overlapped_.hEvent = done_.Handle();
    }
    bool Await(BOOL started, DWORD& transferred) {
        transferred = 0;
        if (!started && GetLastError() != ERROR_IO_PENDING) return false;
        if (!AwaitCompletion()) {
            // The buffer and the OVERLAPPED stay in use until the
            // cancelled operation has ended.
            CancelIoEx(pipe_, &overlapped_);
            GetOverlappedResult(pipe_, &overlapped_, &transferred, TRUE);
            return false;
        }
        return GetOverlappedResult(pipe_, &overlapped_, &transferred, FALSE) != FALSE;
    }
    // True when the operation has ended; false when the rounds ran out, the
    // stop was set or the wait itself failed.
    bool AwaitCompletion() {
        const HANDLE waits[2] = {done_.Handle(), wait_.stop};
        const DWORD count = wait_.stop != nullptr ? 2 : 1;
        if (waits[0] == nullptr) return false;
        for (; roundsLeft_ > 0; --roundsLeft_) {
            const DWORD state = WaitForMultipleObjects(count, waits, FALSE, wait_.roundMs);
            if (state == WAIT_OBJECT_0) return true;
            if (state != WAIT_TIMEOUT) return false;
        }
        return false;
    }

    HANDLE pipe_;
    SettingServiceWait wait_;
    int roundsLeft_;
    CEvent done_;
    OVERLAPPED overlapped_ = {};
};

}  // namespace

DWORD RunningSettingServiceProcess() {
    const CServiceHandle manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT));
    if (!manager.Valid()) return 0;
    const CServiceHandle service(
        OpenServiceW(manager.Get(), reinterpret_cast<const wchar_t*>(kSettingServiceName), SERVICE_QUERY_STATUS));
    if (!service.Valid()) return 0;
    SERVICE_STATUS_PROCESS status = {};
    DWORD needed = 0;
    if (!QueryServiceStatusEx(service.Get(), SC_STATUS_PROCESS_INFO, reinterpret_cast<BYTE*>(&status), sizeof(status),
                              &needed))
        return 0;
    return status.dwCurrentState == SERVICE_RUNNING ? status.dwProcessId : 0;
}

SettingReply ApplyThroughSettingService(DWORD serviceProcess, const CProfileData& profile,
                                        const SettingServiceWait& wait) {
    // A service without a published pipe, or one that this user may not
    // open, cannot apply anything for this user.
    const std::wstring name = PublishedPipeName();
    if (name.empty()) return SettingReply::NotPermitted;
    const CFileHandle pipe(OpenSettingPipe(name, wait.stop));
    if (!pipe.Valid()) return ReplyForUnopenedPipe(GetLastError());
    DWORD mode = PIPE_READMODE_MESSAGE;
    if (!SetNamedPipeHandleState(pipe.Get(), &mode, nullptr, nullptr)) return SettingReply::Failed;
    // Any program may have made a pipe of this name: the record goes only to
    // the service's own process.
    ULONG server = 0;
    if (!GetNamedPipeServerProcessId(pipe.Get(), &server) || server != serviceProcess) return SettingReply::Failed;
    CPipeExchange exchange(pipe.Get(), wait);
    const std::vector<uint8_t> message = SettingRequestMessage(profile);
    DWORD written = 0;
    if (!exchange.Write(message.data(), static_cast<DWORD>(message.size()), written) || written != message.size())
        return SettingReply::Failed;
    uint8_t reply[kSettingReplySize] = {};
    DWORD read = 0;
    if (!exchange.Read(reply, sizeof(reply), read)) return SettingReply::Failed;
    return DecodeSettingReply(reply, read);
}
