#pragma once
// Helpers for tests that run programs under Wine: folders and whole files,
// the recording stand-in program, the program's expected texts, a window
// that records the messages it receives, the window message filter's calls,
// and IPv4 values.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "framework/win/UniqueHandle.h"

namespace testsupport {

// Folder of the running test executable (where the programs under test are).
std::wstring ExeDir();
std::wstring SystemDir();
std::wstring TempDir();  // a fresh, empty folder for this test run

// ---- whole files -------------------------------------------------------------
// Reads a whole file. The file is opened sharing reading, writing and
// deletion, so that a read never makes a program's write or replace fail.
bool ReadFileBytes(const std::wstring& path, std::vector<uint8_t>* bytes);
std::vector<uint8_t> FileBytes(const std::wstring& path);  // empty when unreadable
// Creates or overwrites a file with `bytes` (none: an empty file); a
// failure names the file and the system's error code.
::testing::AssertionResult WriteFileBytes(const std::wstring& path, const std::vector<uint8_t>& bytes = {});
// The file opened without sharing, as a program that holds it exclusively.
CFileHandle HoldFile(const std::wstring& path);
std::vector<std::wstring> FolderEntries(const std::wstring& folder);  // names, without "." and ".."
std::vector<uint8_t> FromHex(const char* hex);  // "a9993e..." (lower case) as bytes

// ---- the recording stand-in ----------------------------------------------------
// Copies bin\recording_standin.exe to `path` (e.g. SystemDir() + L"\\netsh.exe").
::testing::AssertionResult InstallStandIn(const std::wstring& path);
// Sets ORTIVO_RECORD_LOG for this process (inherited by children) and empties the log.
void UseRecordLog(const std::wstring& path);
// The stand-in as system32's netsh.exe and ipconfig.exe, recording into a
// fresh log: what the setting applier runs.
::testing::AssertionResult InstallApplierStandIns();

struct StandInRecord {
    std::wstring module;       // full path of the stand-in that ran
    std::wstring directory;    // its working directory
    std::wstring commandLine;  // GetCommandLineW as it received it
};
std::vector<StandInRecord> ReadRecords();
// Every command line recorded, in the order the stand-ins ran.
std::vector<std::wstring> RecordedCommandLines();
// The command lines recorded by stand-ins whose file name is `program` ("netsh.exe").
std::vector<std::wstring> CommandLinesOf(const wchar_t* program);

// ---- texts -------------------------------------------------------------------
std::string Narrow(const std::wstring& w);  // UTF-8, for test messages
// The text the program's string table must hold for `id` (empty for an unknown id).
std::wstring ExpectedText(UINT id);

// An IPv4 value with the first octet in the high byte.
constexpr uint32_t Ip(uint32_t a, uint32_t b, uint32_t c, uint32_t d) { return a << 24 | b << 16 | c << 8 | d; }

// ---- the window message filter -------------------------------------------------
// A recorder takes the system's call's place; the messages allowed on a
// window since (MSGFLT_ALLOW, no filter structure), in the order of the calls.
void RecordMessageFilter();
std::vector<UINT> MessagesAllowedOn(HWND window);

// ---- a window that records messages ---------------------------------------------
// A hidden dialog-class window ("#32770") that records every message at or
// above WM_APP (message, wParam) in the order received. Given a title, it
// stands for the program's main window, which another start of the program
// finds by its title.
class RecordingWindow {
public:
    struct Entry {
        UINT message;
        WPARAM wParam;
    };
    explicit RecordingWindow(const wchar_t* dialogTitle = nullptr);
    ~RecordingWindow();
    RecordingWindow(const RecordingWindow&) = delete;
    RecordingWindow& operator=(const RecordingWindow&) = delete;

    HWND Handle() const { return hwnd_; }
    const std::vector<Entry>& Received() const { return received_; }
    void Clear() { received_.clear(); }
    // Called as each message is received, before the window answers it
    // (as the main window answers the applier's report).
    void OnReceive(std::function<void(UINT)> handler) { onReceive_ = std::move(handler); }

private:
    static INT_PTR CALLBACK DialogProc(HWND, UINT, WPARAM, LPARAM);
    bool Record(UINT message, WPARAM wParam);
    HWND hwnd_ = nullptr;
    std::vector<Entry> received_;
    std::function<void(UINT)> onReceive_;
};

}  // namespace testsupport
