#pragma once
#include <windows.h>

#include <cstdint>

#include "framework/Object.h"
#include "framework/win/Event.h"
#include "framework/win/UniqueHandle.h"
#include "applier/SettingRequest.h"
#include "profile/ProfileData.h"
#include "switching/win/NetworkChecks.h"

class CTolvik_NetworkApp;

// One switch at a time, run on a worker thread: the TCP/IP part through the
// setting applier, the proxy, the default printer, the checks and the
// application. Progress (0x8018) and the result word (0x8011) are sent to
// the window given to Start.
//
// The object may go away during a switch (the program is closed): the
// switch is then abandoned. The worker looks for that before every step and
// every report, a running HTTP check is cut short, and the object waits for
// the worker to end before anything the worker uses is destroyed.
class CNetworkSetting : public CObject {
public:
    explicit CNetworkSetting(CTolvik_NetworkApp& app);
    ~CNetworkSetting() override;
    CNetworkSetting(const CNetworkSetting&) = delete;
    CNetworkSetting& operator=(const CNetworkSetting&) = delete;

    // 0 started; 1 the previous switch's worker has not ended yet (nothing
    // started); -1 the worker could not be started. Without `mayElevate`
    // (a switch the program starts by itself through the setting service)
    // a service that may not do it for this user is the TCP/IP failure,
    // never an elevation prompt the user did not ask for.
    int Start(HWND window, const CProfileData& profile, bool mayElevate = true);

    // The worker's whole sequence; returns the result word it reported.
    uint32_t RunSequence();

    // Steps of the sequence.
    int TcpIpStep();        // negative: the service's reply, or the block, applier start or its report failed
    int ProxyStep();        // 1 unchanged, 0 done, negative failed
    int PrinterStep();      // 1 not configured, 0 done, -1 failed
    int Checks();           // the check bits, 0 = all passed
    int ApplicationStep();  // 1 not configured, 0 started (whatever the launch did)

    const CNetworkChecks& CheckValues() const { return checks_; }
    // Length of one round of the wait for the applier (1,000 ms); tests
    // lengthen it to see that the applier's report ends the wait.
    void SetApplierRound(DWORD ms) { applierRoundMs_ = ms; }

    // How long Start waits for a worker that is just ending.
    static constexpr DWORD kEndingWorkerWaitMs = 3000;
    // How long the object, going away, waits for an abandoned worker. Only a
    // system call that hangs keeps a worker that long: every wait of the
    // switch is cut short or lasts a second at most.
    static constexpr DWORD kAbandonedWorkerWaitMs = 30000;
    // Rounds while waiting for the applier (181 waits + the last), 182 in
    // all; the setting service's reply is waited for as long.
    static constexpr int kApplierWaitLimit = 180;
    static constexpr int kApplierWaitRounds = kApplierWaitLimit + 2;

private:
    static DWORD WINAPI ThreadRoutine(LPVOID parameter);
    // Sends to the window unless the switch has been abandoned; false then.
    bool Report(UINT message, WPARAM value) const;
    bool Abandoned() const;
    // Waits unless the switch is abandoned meanwhile; false then.
    bool Pause(DWORD ms) const;
    void AbandonWorker();
    // The TCP/IP settings through the running setting service (its
    // process): applied, failed, or for the applier to do.
    ServiceOutcome ApplyThroughService(DWORD serviceProcess);
    // The TCP/IP settings through the elevated applier: the handoff block,
    // the applier's start and its report; true when it reported.
    bool ApplyThroughApplier();
    // Starts the applier with the block's digest and waits for it; true
    // only when it reported that the settings have been applied and then
    // ended with exit code 0.
    bool RunApplier(const Text& digest);
    // How one round of the wait for the applier ended: its time ran out or
    // the report arrived, the applier ended, or the switch was abandoned.
    enum class RoundEnd { Time, Exited, Abandoned };
    RoundEnd AwaitApplierRound(HANDLE process) const;
    // True when the applier reported and then ended with exit code 0; false
    // when it ended otherwise, did not report and end within the rounds, or
    // the switch was abandoned meanwhile.
    bool WaitForApplier(HANDLE process);

    CTolvik_NetworkApp& app_;
    HWND window_ = nullptr;
    CKernelHandle thread_;
    CKernelHandle block_;  // the handoff block while the applier runs
    CEvent stop_;          // set when the object goes away during a switch
    DWORD applierRoundMs_ = 1000;
    CProfileData profile_;
    bool mayElevate_ = true;
    CNetworkChecks checks_;
};

// The working directory of an application: its path up to the last
// backslash (without it); empty when the path has none.
std::wstring ApplicationDirectory(const std::wstring& appPath);
