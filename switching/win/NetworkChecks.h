#pragma once
#include <string>

#include "profile/ProfileData.h"
#include "switching/CheckLogic.h"
#include "switching/win/HttpCheck.h"

class CWMIAccess;

// The checks after a switch. Returns the check bits (0 = every enabled
// check passed): 0x01 fixed address differs, 0x02 ping failed, 0x04 HTTP
// failed, 0x08 link-local address, 0x10 adapter not found / values
// unreadable (returned alone, early), 0x20 no address.
class CNetworkChecks : public checks::CCheckProbes {
public:
    // `wmi` may be null: no adapter then counts as connected. Setting the
    // event `httpCancel`, when given, cuts a waiting HTTP check short.
    explicit CNetworkChecks(CWMIAccess* wmi, HANDLE httpCancel = nullptr) : wmi_(wmi), httpCancel_(httpCancel) {}
    ~CNetworkChecks() override = default;

    int Run(const CProfileData& profile);

    // Adapter values gathered by Run (as texts read from the registry).
    const std::wstring& MacText() const { return mac_; }
    const std::wstring& CurrentIp() const { return ip_; }
    const std::wstring& CurrentMask() const { return mask_; }
    const std::wstring& CurrentGateway() const { return gateway_; }
    bool Connected() const { return connected_; }

protected:
    // Adapter lookups: the registry, IP Helper and WMI queries.
    Text FindAdapterGuid(const Text& macText) override;
    bool ReadCurrentIPv4(const Text& guid, Text& ip, Text& mask, Text& gateway) override;
    bool IsConnected(const Text& macText) override;
    // Seams for tests. The ping check sends one ICMP echo of
    // "ICMP SEND DATA" with a time-out of 1,000 ms: 0 the gateway itself
    // answered, -1 no answer from it or an address that is no dotted IPv4
    // text, -2 no ICMP handle, -3 no memory. The HTTP check sends one
    // WinINet GET: 0 status below 400, -1 otherwise.
    int SendEcho(const Text& address) override;
    int HttpGet(const Text& url) override;

private:
    CWMIAccess* wmi_;
    HANDLE httpCancel_;
    std::wstring mac_, ip_, mask_, gateway_;
    bool connected_ = false;
};
