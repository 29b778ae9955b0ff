#pragma once
// Helpers for tests that run programs under Wine: processes, the recording
// stand-in program, and a window that records the messages it receives.
#include <windows.h>

#include <string>
#include <vector>

namespace testsupport {

// Folder of the running test executable (where the programs under test are).
std::wstring ExeDir();
std::wstring SystemDir();
std::wstring TempDir();  // a fresh, empty folder for this test run

// Copies bin\recording_standin.exe to `path` (e.g. SystemDir() + L"\\netsh.exe").
bool InstallStandIn(const std::wstring& path);
// Sets ORTIVO_RECORD_LOG for this process (inherited by children) and empties the log.
void UseRecordLog(const std::wstring& path);

struct StandInRecord {
    std::wstring module;       // full path of the stand-in that ran
    std::wstring directory;    // its working directory
    std::wstring commandLine;  // GetCommandLineW as it received it
};
std::vector<StandInRecord> ReadRecords();

// Starts a program (command line = quoted path + args) and waits for it to
// end, dispatching this thread's messages meanwhile. Returns its exit code,
// or -1 when it could not start, or -2 on time-out (the process is killed).
long RunAndPump(const std::wstring& exe, const std::wstring& args, DWORD timeoutMs,
                const std::wstring& directory = std::wstring());

// Pumps this thread's messages until `done()` is true or the time is up.
template <typename Pred>
bool PumpUntil(Pred done, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > timeoutMs) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    return true;
}

// A hidden top-level window that records every message at or above WM_APP
// (message, wParam) in the order received.
class RecordingWindow {
public:
    struct Entry {
        UINT message;
        WPARAM wParam;
    };
    RecordingWindow();
    ~RecordingWindow();
    RecordingWindow(const RecordingWindow&) = delete;
    RecordingWindow& operator=(const RecordingWindow&) = delete;

    HWND Handle() const { return hwnd_; }
    const std::vector<Entry>& Received() const { return received_; }
    void Clear() { received_.clear(); }

private:
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
    HWND hwnd_ = nullptr;
    std::vector<Entry> received_;
};

std::string Narrow(const std::wstring& w);  // UTF-8, for test messages

}  // namespace testsupport
