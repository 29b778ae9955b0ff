#pragma once
#include <string>

#include "profile/ProfileData.h"

class CWMIAccess;

// The checks after a switch. Returns the check bits (0 = every enabled
// check passed): 0x01 fixed address differs, 0x02 ping failed, 0x04 HTTP
// failed, 0x08 link-local address, 0x10 adapter not found / values
// unreadable (returned alone, early), 0x20 no address.
class CNetworkChecks {
public:
    explicit CNetworkChecks(CWMIAccess* wmi) : wmi_(wmi) {}
    virtual ~CNetworkChecks() = default;

    int Run(const CProfileData& profile);

    // Adapter values gathered by Run (as texts read from the registry).
    const std::wstring& MacText() const { return mac_; }
    const std::wstring& CurrentIp() const { return ip_; }
    const std::wstring& CurrentMask() const { return mask_; }
    const std::wstring& CurrentGateway() const { return gateway_; }
    bool Connected() const { return connected_; }

protected:
    // Seams for tests; the real ones send one ICMP echo / one HTTP GET.
    virtual int PingCheck(const CProfileData& profile);
    virtual int HttpCheck(const CProfileData& profile);
    int AddressCheck(const CProfileData& profile) const;

private:
    CWMIAccess* wmi_;
    std::wstring mac_, ip_, mask_, gateway_;
    bool connected_ = false;
};
