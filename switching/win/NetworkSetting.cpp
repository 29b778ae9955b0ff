#include "switching/win/NetworkSetting.h"

#include <shellapi.h>

#include "app/Messages.h"
#include "app/win/Tolvik_NetworkApp.h"
#include "framework/win/WideText.h"
#include "switching/HandoffRecord.h"
#include "switching/ResultMessages.h"
#include "switching/win/DefaultPrinter.h"
#include "switching/win/HandoffWriter.h"
#include "switching/win/ProxyWriter.h"
#include "switching/win/SettingServiceClient.h"

namespace {

constexpr wchar_t kApplierFileName[] = L"Tolvik_NetworkSetting.exe";
constexpr DWORD kFullBarMs = 1000;

// Waits for `handle` while taking the messages that other threads send to
// this thread's windows, so that a worker in the middle of a report is not
// left waiting for this thread. True when the handle was signalled.
bool WaitTakingSentMessages(HANDLE handle, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        const DWORD spent = GetTickCount() - start;
        const DWORD left = spent >= timeoutMs ? 0 : timeoutMs - spent;
        const DWORD state = MsgWaitForMultipleObjects(1, &handle, FALSE, left, QS_SENDMESSAGE);
        if (state != WAIT_OBJECT_0 + 1) return state == WAIT_OBJECT_0;
        MSG message;
        PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

// The exit code of a process that has ended; STILL_ACTIVE otherwise.
DWORD ExitCode(HANDLE process) {
    DWORD code = STILL_ACTIVE;
    return GetExitCodeProcess(process, &code) ? code : STILL_ACTIVE;
}

// What each step adds to the result word.
uint32_t TcpIpBits(int result) { return result < 0 ? kResultTcpIp : 0; }
uint32_t ProxyBits(int result) { return result < 0 ? kResultProxy : 0; }
uint32_t PrinterBits(int result) { return result < 0 ? kResultPrinter : 0; }
uint32_t CheckBits(int result) { return result != 0 ? static_cast<uint32_t>(result) | kResultChecks : 0; }
uint32_t NoBits(int) { return 0; }  // a failed application launch is not reported

struct SequenceStep {
    int (CNetworkSetting::*run)();
    uint32_t (*bits)(int);
    int progress;  // sent after the step while the result word is 0
};

constexpr SequenceStep kSequence[] = {
    {&CNetworkSetting::TcpIpStep, TcpIpBits, 20},     {&CNetworkSetting::ProxyStep, ProxyBits, 40},
    {&CNetworkSetting::PrinterStep, PrinterBits, 60}, {&CNetworkSetting::Checks, CheckBits, 80},
    {&CNetworkSetting::ApplicationStep, NoBits, 100},
};

}  // namespace

std::wstring ApplicationDirectory(const std::wstring& appPath) {
    const std::size_t slash = appPath.rfind(L'\\');
    return slash == std::wstring::npos ? std::wstring() : appPath.substr(0, slash);
}

CNetworkSetting::CNetworkSetting(CTolvik_NetworkApp& app)
    : app_(app), checks_(&app.wmiAccess, stop_.Handle()) {}

CNetworkSetting::~CNetworkSetting() { AbandonWorker(); }

void CNetworkSetting::AbandonWorker() {
    // The wait for the applier ends at once, an HTTP check is cut short, and
    // no later step runs or reports.
    stop_.Set();
    if (!thread_.Valid()) return;
    WaitTakingSentMessages(thread_.Get(), kAbandonedWorkerWaitMs);
    thread_.Reset();
}

int CNetworkSetting::Start(HWND window, const CProfileData& profile, bool mayElevate) {
    if (thread_.Valid()) {
        // The previous worker ends right after its result message has been
        // handled; give it that moment instead of refusing the new switch.
        const DWORD state = WaitForSingleObject(thread_.Get(), kEndingWorkerWaitMs);
        if (state == WAIT_TIMEOUT) return 1;
        if (state != WAIT_OBJECT_0) return -1;
        thread_.Reset();
    }
    window_ = window;
    profile_.CopyFrom(profile);
    mayElevate_ = mayElevate;
    thread_.Reset(CreateThread(nullptr, 0, ThreadRoutine, this, 0, nullptr));
    return thread_.Valid() ? 0 : -1;
}

DWORD WINAPI CNetworkSetting::ThreadRoutine(LPVOID parameter) {
    if (parameter == nullptr) return static_cast<DWORD>(-1);
    static_cast<CNetworkSetting*>(parameter)->RunSequence();
    return 0;
}

bool CNetworkSetting::Report(UINT message, WPARAM value) const {
    if (Abandoned()) return false;
    if (window_ != nullptr) SendMessageW(window_, message, value, 0);
    return true;
}

bool CNetworkSetting::Abandoned() const {
    return stop_.Handle() != nullptr && WaitForSingleObject(stop_.Handle(), 0) == WAIT_OBJECT_0;
}

uint32_t CNetworkSetting::RunSequence() {
    // Every step runs whatever the earlier ones did; a failure only stops
    // the progress bar.
    uint32_t result = 0;
    if (!Report(kMsgProgress, 0)) return result;
    for (const SequenceStep& step : kSequence) {
        if (Abandoned()) return result;
        result |= step.bits((this->*step.run)());
        if (result == 0 && !Report(kMsgProgress, static_cast<WPARAM>(step.progress))) return result;
    }
    // The full bar stays visible for a second.
    if (result == 0) Pause(kFullBarMs);
    Report(kMsgSwitchResult, result);
    return result;
}

int CNetworkSetting::TcpIpStep() {
    // The setting service, when it runs and may do it for this user,
    // applies the settings without an elevation prompt; otherwise the
    // elevated applier does.
    const DWORD service = RunningSettingServiceProcess();
    const ServiceOutcome outcome = service != 0 ? ApplyThroughService(service) : ServiceOutcome::UseApplier;
    if (outcome == ServiceOutcome::UseApplier) return mayElevate_ && ApplyThroughApplier() ? 0 : -1;
    return outcome == ServiceOutcome::Applied ? 0 : -1;
}

ServiceOutcome CNetworkSetting::ApplyThroughService(DWORD serviceProcess) {
    const SettingServiceWait wait = {stop_.Handle(), kApplierWaitRounds, applierRoundMs_};
    return OutcomeOfReply(ApplyThroughSettingService(serviceProcess, profile_, wait));
}

bool CNetworkSetting::ApplyThroughApplier() {
    app_.ClearApplierFinished();
    const HandoffImage image = BuildHandoffImage(profile_, static_cast<uint32_t>(HandleToLong(window_)));
    block_.Reset(WriteHandoffBlock(image));
    if (!block_.Valid()) return false;
    const bool applied = RunApplier(HandoffDigest(image));
    block_.Reset();
    return applied;
}

bool CNetworkSetting::RunApplier(const Text& digest) {
    const std::wstring applier = app_.programFolder + L"\\" + kApplierFileName;
    const std::wstring parameters = W(digest);
    SHELLEXECUTEINFOW execute = {};
    execute.cbSize = sizeof(execute);
    // The switch reports a failed start itself (message 165): no error box
    // from the shell. The main window owns the elevation prompt, which so
    // comes to the front.
    execute.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    execute.hwnd = window_;
    execute.lpVerb = L"open";
    execute.lpFile = applier.c_str();
    execute.lpParameters = parameters.c_str();
    // Its own folder as its current one: never the folder this program was
    // started in, where someone may have put a DLL.
    execute.lpDirectory = app_.programFolder.c_str();
    execute.nShow = SW_SHOWNORMAL;
    // A declined elevation prompt fails here too (ERROR_CANCELLED).
    if (!ShellExecuteExW(&execute)) return false;
    const CKernelHandle process(execute.hProcess);
    return WaitForApplier(process.Get());
}

bool CNetworkSetting::Pause(DWORD ms) const {
    if (stop_.Handle() == nullptr) {
        Sleep(ms);
        return true;
    }
    return WaitForSingleObject(stop_.Handle(), ms) != WAIT_OBJECT_0;
}

CNetworkSetting::RoundEnd CNetworkSetting::AwaitApplierRound(HANDLE process) const {
    // Once the report is in, only the applier's end is waited for.
    const HANDLE finished = app_.applierFinished != 0 ? nullptr : app_.applierFinishedEvent.Handle();
    HANDLE waits[3];
    DWORD count = 0;
    for (HANDLE h : {stop_.Handle(), finished, process})
        if (h != nullptr) waits[count++] = h;
    if (count == 0) {
        Sleep(applierRoundMs_);
        return RoundEnd::Time;
    }
    const DWORD state = WaitForMultipleObjects(count, waits, FALSE, applierRoundMs_);
    if (state >= WAIT_OBJECT_0 + count) return RoundEnd::Time;
    const HANDLE signalled = waits[state - WAIT_OBJECT_0];
    if (signalled == stop_.Handle()) return RoundEnd::Abandoned;
    return signalled == process ? RoundEnd::Exited : RoundEnd::Time;
}

bool CNetworkSetting::WaitForApplier(HANDLE process) {
    // The applier reports before it ends, and its report has been handled
    // when the report's call returns to it. Any program of the user could
    // send the report too: only the applier's own end with exit code 0,
    // after the report and within the rounds, is success.
    for (int round = 0;; ++round) {
        const RoundEnd end = AwaitApplierRound(process);
        if (end == RoundEnd::Abandoned) return false;
        if (end == RoundEnd::Exited) return app_.applierFinished != 0 && ExitCode(process) == 0;
        if (round > kApplierWaitLimit) return false;
    }
}

int CNetworkSetting::ProxyStep() { return ApplyProxySettings(profile_, app_.ieMajorVersion); }

int CNetworkSetting::PrinterStep() {
    if (profile_.Record().setDefaultPrinter != 1) return 1;
    const std::wstring printer = W(profile_.GetText(ProfileText::printerName));
    return SetKeptDefaultPrinter(printer) ? 0 : -1;
}

int CNetworkSetting::Checks() { return checks_.Run(profile_); }

int CNetworkSetting::ApplicationStep() {
    if (profile_.Record().runAppEnabled != 1) return 1;
    const std::wstring path = W(profile_.GetText(ProfileText::appPath));
    const std::wstring arguments = W(profile_.GetText(ProfileText::appArguments));
    const std::wstring directory = ApplicationDirectory(path);
    ShellExecuteW(nullptr, L"open", path.c_str(), arguments.c_str(), directory.c_str(), SW_SHOWNORMAL);
    return 0;
}
