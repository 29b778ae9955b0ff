#include "switching/win/NetworkSetting.h"

#include <shellapi.h>
#include <winspool.h>

#include "app/Messages.h"
#include "app/win/Tolvik_NetworkApp.h"
#include "framework/win/WideText.h"
#include "switching/ResultMessages.h"
#include "switching/win/HandoffWriter.h"
#include "switching/win/ProxyWriter.h"

namespace {

constexpr wchar_t kApplierFileName[] = L"Tolvik_NetworkSetting.exe";
constexpr DWORD kFullBarMs = 1000;
constexpr DWORD kApplierRoundMs = 1000;

bool Launched(HINSTANCE result) { return reinterpret_cast<INT_PTR>(result) > 32; }

}  // namespace

std::wstring ApplicationDirectory(const std::wstring& appPath) {
    const std::size_t slash = appPath.rfind(L'\\');
    return slash == std::wstring::npos ? std::wstring() : appPath.substr(0, slash);
}

CNetworkSetting::CNetworkSetting(CTolvik_NetworkApp& app)
    : app_(app), stop_(CreateEventW(nullptr, TRUE, FALSE, nullptr)), checks_(&app.wmiAccess) {}

CNetworkSetting::~CNetworkSetting() {
    // A switch still running is abandoned: its wait for the applier ends at
    // once and no later step runs or reports. The wait for the worker is
    // bounded, so that closing the program never hangs on a slow step.
    if (stop_ != nullptr) SetEvent(stop_);
    if (thread_ != nullptr) {
        WaitForSingleObject(thread_, kEndingWorkerWaitMs);
        CloseHandle(thread_);
    }
    if (stop_ != nullptr) CloseHandle(stop_);
}

int CNetworkSetting::Start(HWND window, const CProfileData& profile) {
    if (thread_ != nullptr) {
        // The previous worker ends right after its result message has been
        // handled; give it that moment instead of refusing the new switch.
        const DWORD state = WaitForSingleObject(thread_, kEndingWorkerWaitMs);
        if (state == WAIT_TIMEOUT) return 1;
        if (state != WAIT_OBJECT_0) return -1;
        CloseHandle(thread_);
        thread_ = nullptr;
    }
    window_ = window;
    profile_.CopyFrom(profile);
    thread_ = CreateThread(nullptr, 0, ThreadRoutine, this, 0, nullptr);
    return thread_ != nullptr ? 0 : -1;
}

DWORD WINAPI CNetworkSetting::ThreadRoutine(LPVOID parameter) {
    if (parameter == nullptr) return static_cast<DWORD>(-1);
    static_cast<CNetworkSetting*>(parameter)->RunSequence();
    return 0;
}

void CNetworkSetting::SendProgress(int percent) const {
    if (window_ != nullptr) SendMessageW(window_, kMsgProgress, static_cast<WPARAM>(percent), 0);
}

bool CNetworkSetting::Abandoned() const { return stop_ != nullptr && WaitForSingleObject(stop_, 0) == WAIT_OBJECT_0; }

uint32_t CNetworkSetting::RunSequence() {
    uint32_t result = 0;
    SendProgress(0);
    if (TcpIpStep() < 0) result |= kResultTcpIp;
    if (Abandoned()) return result;
    if (result == 0) SendProgress(20);
    if (ProxyStep() < 0) result |= kResultProxy;
    if (result == 0) SendProgress(40);
    if (PrinterStep() < 0) result |= kResultPrinter;
    if (result == 0) SendProgress(60);
    const int checkBits = Checks();
    if (checkBits != 0) result |= static_cast<uint32_t>(checkBits) | kResultChecks;
    if (result == 0) SendProgress(80);
    ApplicationStep();
    if (result == 0) {
        SendProgress(100);
        Sleep(kFullBarMs);
    }
    if (window_ != nullptr) SendMessageW(window_, kMsgSwitchResult, result, 0);
    return result;
}

int CNetworkSetting::TcpIpStep() {
    app_.applierFinished = 0;
    block_ = WriteHandoffBlock(profile_, window_);
    if (block_ == nullptr) return -1;
    const std::wstring applier = app_.programFolder + L"\\" + kApplierFileName;
    if (!Launched(ShellExecuteW(nullptr, L"open", applier.c_str(), nullptr, nullptr, SW_SHOWNORMAL))) {
        CloseBlock();
        return -1;
    }
    WaitForApplier();
    CloseBlock();
    return 0;
}

void CNetworkSetting::WaitForApplier() {
    for (int round = 0;; ++round) {
        if (stop_ == nullptr)
            Sleep(kApplierRoundMs);
        else if (WaitForSingleObject(stop_, kApplierRoundMs) == WAIT_OBJECT_0)
            return;
        if (app_.applierFinished != 0) return;
        if (round > kApplierWaitLimit) return;
    }
}

void CNetworkSetting::CloseBlock() {
    if (block_ != nullptr) CloseHandle(block_);
    block_ = nullptr;
}

int CNetworkSetting::ProxyStep() { return ApplyProxySettings(profile_, app_.ieMajorVersion); }

int CNetworkSetting::PrinterStep() {
    if (profile_.Record().setDefaultPrinter != 1) return 1;
    const std::wstring printer = W(profile_.GetText(ProfileText::printerName));
    return SetDefaultPrinterW(printer.c_str()) ? 0 : -1;
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
