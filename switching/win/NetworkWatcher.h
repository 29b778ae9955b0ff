#pragma once
// The main program's eye on its profiles' connections: a thread of its own
// takes a snapshot of each watched connection (system/win/ConnectionSnapshot)
// when the system reports a change and otherwise every kLookMs, pings the
// default gateway of the fixed connections it is asked to, and tells the
// window with a posted message that a new look is ready. The window takes
// it with Latest() on its own thread and decides (ProfileInForce,
// CAutoSwitch). It watches nothing while it is given no connection.
#include <windows.h>

#include <map>
#include <vector>

#include "framework/Text.h"
#include "framework/win/MibTable.h"
#include "framework/win/UniqueHandle.h"
#include "switching/AutoSwitch.h"

struct WatchRequest {
    Text macAddress;
    bool pingGateway = false;  // ask whether its default gateway answers
};

class CNetworkWatcher {
public:
    // Windows tells a program of a change at once; Wine never does (its
    // notifications never fire), so the watcher also looks on its own.
    static constexpr DWORD kLookMs = 2000;
    static constexpr ULONGLONG kGatewayPingMs = 10000;

    CNetworkWatcher() = default;
    ~CNetworkWatcher() { Stop(); }
    CNetworkWatcher(const CNetworkWatcher&) = delete;
    CNetworkWatcher& operator=(const CNetworkWatcher&) = delete;

    // Starts the thread; `message` is posted to `window` after each look.
    bool Start(HWND window, UINT message);
    void Stop();
    // The connections to watch from now on (none: the thread only waits);
    // a changed list is looked at at once.
    void Watch(const std::vector<WatchRequest>& requests);
    std::vector<WatchedConnection> Latest() const;

private:
    static DWORD WINAPI ThreadRoutine(LPVOID watcher);
    void Run();
    std::vector<WatchRequest> Requests() const;
    std::vector<WatchedConnection> Look(const std::vector<WatchRequest>& requests);
    // The gateway's MAC as the neighbour table gives it. A gateway it does
    // not know (yet, or again: an entry that aged) is pinged, so that the
    // system learns its MAC where it cannot be asked to resolve it
    // (ResolveIpNetEntry2 missing, as under Wine); the same gateway of the
    // same connection at most every kGatewayPingMs (a silent one costs
    // the ping's second).
    ConnectionState SnapshotKnowingTheGateway(const Text& macAddress);
    void RegisterNotifications();

    HWND window_ = nullptr;
    UINT message_ = 0;
    CKernelHandle stop_, wake_, thread_;
    mutable SRWLOCK lock_ = SRWLOCK_INIT;  // guards requests_ and latest_
    std::vector<WatchRequest> requests_;
    std::vector<WatchedConnection> latest_;
    struct PingedGateway {
        uint32_t address = 0;
        ULONGLONG atMs = 0;
    };
    std::map<Text, PingedGateway> pinged_;  // by the connection's MAC text; the watcher thread's own
    // Interfaces, addresses and routes; each sets `wake_`.
    CMibNotification interfaces_, addresses_, routes_;
};
