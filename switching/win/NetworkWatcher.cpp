#include "switching/win/NetworkWatcher.h"


#include "framework/win/ExclusiveLock.h"
#include "framework/win/WideText.h"
#include "switching/win/IcmpEcho.h"
#include "system/Tools.h"
#include "system/win/ConnectionSnapshot.h"

namespace {


// Every change notification only wakes the thread, which then looks.
void CALLBACK OnInterfaceChange(PVOID wake, PMIB_IPINTERFACE_ROW, MIB_NOTIFICATION_TYPE) { SetEvent(wake); }
void CALLBACK OnAddressChange(PVOID wake, PMIB_UNICASTIPADDRESS_ROW, MIB_NOTIFICATION_TYPE) { SetEvent(wake); }
void CALLBACK OnRouteChange(PVOID wake, PMIB_IPFORWARD_ROW2, MIB_NOTIFICATION_TYPE) { SetEvent(wake); }

}  // namespace

bool CNetworkWatcher::Start(HWND window, UINT message) {
    if (thread_.Valid()) return true;
    window_ = window;
    message_ = message;
    stop_.Reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    wake_.Reset(CreateEventW(nullptr, FALSE, FALSE, nullptr));
    if (!stop_.Valid() || !wake_.Valid()) return false;
    RegisterNotifications();
    thread_.Reset(CreateThread(nullptr, 0, ThreadRoutine, this, 0, nullptr));
    return thread_.Valid();
}

DWORD WINAPI CNetworkWatcher::ThreadRoutine(LPVOID watcher) {
    static_cast<CNetworkWatcher*>(watcher)->Run();
    return 0;
}

void CNetworkWatcher::Stop() {
    if (!thread_.Valid()) return;
    SetEvent(stop_.Get());
    WaitForSingleObject(thread_.Get(), INFINITE);
    thread_.Close();
    // Cancelled before the event they set goes.
    interfaces_.Close();
    addresses_.Close();
    routes_.Close();
}

void CNetworkWatcher::RegisterNotifications() {
    HANDLE wake = wake_.Get();
    NotifyIpInterfaceChange(AF_INET, OnInterfaceChange, wake, FALSE, interfaces_.Receive());
    NotifyUnicastIpAddressChange(AF_INET, OnAddressChange, wake, FALSE, addresses_.Receive());
    NotifyRouteChange2(AF_INET, OnRouteChange, wake, FALSE, routes_.Receive());
}

void CNetworkWatcher::Watch(const std::vector<WatchRequest>& requests) {
    {
        const CExclusiveLock held(lock_);
        requests_ = requests;
    }
    if (wake_.Valid()) SetEvent(wake_.Get());
}

std::vector<WatchedConnection> CNetworkWatcher::Latest() const {
    const CExclusiveLock held(lock_);
    return latest_;
}

std::vector<WatchRequest> CNetworkWatcher::Requests() const {
    const CExclusiveLock held(lock_);
    return requests_;
}

ConnectionState CNetworkWatcher::SnapshotKnowingTheGateway(const Text& macAddress) {
    const ConnectionState state = SnapshotConnection(macAddress);
    if (!state.connected || state.gateways.empty() || !state.network.gatewayMac.empty()) return state;
    PingedGateway& pinged = pinged_[text::UpperAscii(macAddress)];
    const uint32_t gateway = state.gateways.front();
    const ULONGLONG now = GetTickCount64();
    if (pinged.address == gateway && now - pinged.atMs < kGatewayPingMs) return state;
    pinged = {gateway, now};
    SendIcmpEcho(W(CTools().AddressToText(gateway)));
    return SnapshotConnection(macAddress);
}

std::vector<WatchedConnection> CNetworkWatcher::Look(const std::vector<WatchRequest>& requests) {
    std::vector<WatchedConnection> looked;
    for (const WatchRequest& request : requests) {
        WatchedConnection connection;
        connection.state = SnapshotKnowingTheGateway(request.macAddress);
        const ConnectionState& state = connection.state;
        if (request.pingGateway && state.connected && !state.dhcp && !state.gateways.empty())
            connection.gatewayAnswers = SendIcmpEcho(W(CTools().AddressToText(state.gateways.front()))) == 0;
        looked.push_back(connection);
    }
    return looked;
}

void CNetworkWatcher::Run() {
    const HANDLE events[] = {stop_.Get(), wake_.Get()};
    for (;;) {
        // Nothing to watch: wait for a list or the stop, without waking.
        const DWORD wait = WaitForMultipleObjects(2, events, FALSE, Requests().empty() ? INFINITE : kLookMs);
        if (wait == WAIT_OBJECT_0 || wait == WAIT_FAILED) return;
        const std::vector<WatchRequest> requests = Requests();
        if (requests.empty()) continue;
        std::vector<WatchedConnection> looked = Look(requests);
        {
            const CExclusiveLock held(lock_);
            latest_ = std::move(looked);
        }
        PostMessageW(window_, message_, 0, 0);
    }
}
