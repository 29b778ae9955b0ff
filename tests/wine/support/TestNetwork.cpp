#include "tests/wine/support/TestNetwork.h"

#include <windows.h>

#include <cstdlib>
#include <vector>

#include "framework/win/UniqueHandle.h"
#include "tests/wine/support/TestSupport.h"

namespace testsupport {

namespace {

constexpr int kPolls = 900;
constexpr DWORD kPollMs = 50;

std::wstring Folder() {  // a Unix path
    wchar_t buffer[MAX_PATH] = {};
    const DWORD n = GetEnvironmentVariableW(L"ORTIVO_TESTNET", buffer, MAX_PATH);
    return n > 0 && n < MAX_PATH ? std::wstring(buffer, n) : std::wstring();
}

// Wine's drive Z: is the Unix root.
std::wstring OnDriveZ(std::wstring unixPath) {
    for (wchar_t& c : unixPath)
        if (c == L'/') c = L'\\';
    return L"Z:" + unixPath;
}

}  // namespace

bool InTestNetwork() { return !Folder().empty(); }

int TestNetworkDo(const std::wstring& verb) {
    const std::wstring folder = Folder();
    if (folder.empty()) return -1;
    const std::wstring done = folder + L"/done." + std::to_wstring(GetCurrentProcessId());
    DeleteFileW(OnDriveZ(done).c_str());
    std::wstring commandLine = L"helper do " + done + L" " + verb;
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started = {};
    // Wine starts a Unix program detached: the caller gets no handle to
    // wait on (measured), so the helper's end is the file it writes last.
    if (!CreateProcessW(OnDriveZ(folder + L"/helper").c_str(), &commandLine[0], nullptr, nullptr, FALSE,
                        CREATE_NO_WINDOW, nullptr, nullptr, &startup, &started))
        return -1;
    const CKernelHandle process(started.hProcess), thread(started.hThread);
    for (int poll = 0; poll < kPolls; ++poll) {
        std::vector<uint8_t> code;
        if (ReadFileBytes(OnDriveZ(done), &code) && !code.empty()) {
            DeleteFileW(OnDriveZ(done).c_str());
            return std::atoi(std::string(code.begin(), code.end()).c_str());
        }
        Sleep(kPollMs);
    }
    return -1;
}

}  // namespace testsupport
