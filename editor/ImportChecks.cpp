#include "editor/ImportChecks.h"

#include "editor/EditorResource.h"
#include "profile/ExtensionJson.h"
#include "resources/resource.h"
#include "wizard/AdditionRules.h"
#include "wizard/NamePageRules.h"
#include "wizard/NetworkPageRules.h"
#include "wizard/ProxyRules.h"
#include "wizard/TcpPageRules.h"

namespace importchecks {

namespace {

constexpr int kAllFields = 4;

ImportError Fault(const CProfileData& p, int number, int messageId, const std::string& field) {
    ImportError e;
    e.messageId = messageId;
    e.profileNumber = number;
    e.profileName = p.GetText(ProfileText::profileName);
    e.field = field;
    return e;
}

ImportError CheckName(const CProfileData& p, int number) {
    const namepage::NameCheck check =
        namepage::CheckNamePage(p.GetText(ProfileText::profileName), p.Record().iconIndex, CProfileCollection(), 0);
    if (check == namepage::NameCheck::Passed) return ImportError();
    const char* field = check == namepage::NameCheck::NoIcon ? "iconIndex" : "profileName";
    return Fault(p, number, namepage::NameCheckMessage(check), field);
}

// An address of the file as the page's control would hold it: complete, or blank for 0.
tcppage::AddressField Control(uint32_t value) {
    tcppage::AddressField f;
    f.value = value;
    f.filled = value != 0 ? kAllFields : 0;
    return f;
}

const char* AddressKey(int controlId) {
    switch (controlId) {
        case IDC_TCP_IP_ADDRESS: return "ipAddress";
        case IDC_TCP_SUBNET_MASK: return "subnetMask";
        case IDC_TCP_GATEWAY: return "defaultGateway";
        case IDC_TCP_PREFERRED_DNS: return "preferredDns";
        default: return "alternateDns";
    }
}

ImportError CheckTcpIp(CProfileData& p, int number) {
    ProfileRecord& r = p.Record();
    tcppage::TcpInput in;
    in.fixedIp = r.ipMode == 1;
    in.dnsByHand = r.dnsMode == 1;
    if (in.fixedIp && !in.dnsByHand) return Fault(p, number, IDS_FAULT_FIXED_IP_DNS, "dnsMode");
    in.address = Control(r.ipAddress);
    in.mask = Control(r.subnetMask);
    in.gateway = Control(r.defaultGateway);
    in.preferredDns = Control(r.preferredDns);
    in.alternateDns = Control(r.alternateDns);
    const tcppage::TcpCheck check = tcppage::CheckTcpPage(in);
    if (!check.Passed()) return Fault(p, number, check.messageId, AddressKey(check.focusId));
    tcppage::WriteTcpValues(check.values, r);
    return ImportError();
}

// The key of the addition a check refused, as the profile file names it.
std::string AdditionKey(const additionrules::AdditionCheck& check) {
    using additionrules::Part;
    using namespace extensionjson;
    switch (check.part) {
        case Part::Address: return EntryKey(kMoreAddresses, check.index, kIpAddress);
        case Part::Mask: return EntryKey(kMoreAddresses, check.index, kSubnetMask);
        case Part::Gateway: return EntryKey(kMoreGateways, check.index, kDefaultGateway);
        case Part::Metric: return EntryKey(kMoreGateways, check.index, kMetric);
        case Part::DnsServer: return EntryKey(kMoreDnsServers, check.index);
        default: return kDnsSuffix;
    }
}

// Additions only where the modes use them (addresses and gateways with a
// fixed address; servers after both given by hand), then the TCP/IP page's
// rules for them.
ImportError CheckAdditions(const CProfileData& p, int number) {
    const ProfileRecord& r = p.Record();
    const ProfileExtension& e = p.Extension();
    if (r.ipMode != 1 && !e.moreAddresses.empty())
        return Fault(p, number, IDS_FAULT_ADDITIONS_FIXED, extensionjson::kMoreAddresses);
    if (r.ipMode != 1 && !e.moreGateways.empty())
        return Fault(p, number, IDS_FAULT_ADDITIONS_FIXED, extensionjson::kMoreGateways);
    if (!e.moreDnsServers.empty() && (r.dnsMode != 1 || r.alternateDns == 0))
        return Fault(p, number, IDS_FAULT_MORE_DNS, extensionjson::kMoreDnsServers);
    const additionrules::AdditionCheck check = additionrules::CheckAdditions(tcppage::ReadTcpValues(r), e);
    return check.Passed() ? ImportError() : Fault(p, number, check.messageId, AdditionKey(check));
}

// When the profile is applied by itself: automatic with a recorded
// network, a fall-back that fits the address mode.
ImportError CheckAutomatic(const CProfileData& p, int number) {
    if (!networkpage::AutomaticHasNetwork(p.Extension()))
        return Fault(p, number, IDS_FAULT_AUTOMATIC_NETWORK, extensionjson::kAutomatic);
    if (!networkpage::FallbackFitsMode(p.Extension().fallback, p.Record().ipMode))
        return Fault(p, number, IDS_FAULT_FALLBACK_MODE, extensionjson::kFallback);
    return ImportError();
}

// The first of `profiles` that shares its fall-back with `p`, or none.
bool FallbackShared(const CProfileCollection& profiles, const CProfileData& p) {
    CProfileData other;
    for (int i = 0; profiles.GetByPosition(i, &other) == 0; ++i)
        if (networkpage::ShareFallback(other, p)) return true;
    return false;
}

const char* ProxyKey(proxyrules::ProxyCheck check) {
    switch (check) {
        case proxyrules::ProxyCheck::SecurePort: return "secureProxyPort";
        case proxyrules::ProxyCheck::FtpPort: return "ftpProxyPort";
        case proxyrules::ProxyCheck::GopherPort: return "gopherProxyPort";
        case proxyrules::ProxyCheck::SocksPort: return "socksProxyPort";
        case proxyrules::ProxyCheck::HttpPort: return "httpProxyPort";
        default: return "httpProxyServer";
    }
}

ImportError CheckProxy(const CProfileData& p, int number, int32_t ieMajorVersion) {
    if (p.Record().proxyMode != 2) return ImportError();
    const proxyrules::ProxyCheck check = proxyrules::CheckDetails(proxyrules::LoadDetails(p, ieMajorVersion));
    if (check == proxyrules::ProxyCheck::Passed) return ImportError();
    return Fault(p, number, proxyrules::ProxyCheckMessage(check), ProxyKey(check));
}

}  // namespace

ImportError CheckProfile(CProfileData& profile, int number, int32_t ieMajorVersion) {
    ImportError e = CheckName(profile, number);
    if (!e.Failed()) e = CheckTcpIp(profile, number);
    if (!e.Failed()) e = CheckAdditions(profile, number);
    if (!e.Failed()) e = CheckAutomatic(profile, number);
    if (!e.Failed()) e = CheckProxy(profile, number, ieMajorVersion);
    return e;
}

ImportError CheckTogether(const std::vector<CProfileData>& imported, const CProfileCollection* kept) {
    CProfileCollection all;  // identifiers from 1: never the 0 of a new profile
    CProfileData p;
    for (int i = 0; kept != nullptr && kept->GetByPosition(i, &p) == 0; ++i) all.Add(p);
    if (all.Count() + imported.size() > static_cast<std::size_t>(CProfileCollection::kMaxProfiles)) {
        ImportError e;
        e.messageId = IDS_FAULT_TOO_MANY;
        e.values = {CProfileCollection::kMaxProfiles};
        return e;
    }
    for (std::size_t i = 0; i < imported.size(); ++i) {
        if (namepage::IsNameTaken(all, imported[i].GetText(ProfileText::profileName), 0))
            return Fault(imported[i], static_cast<int>(i + 1), IDS_NAME_DUPLICATE, "profileName");
        if (FallbackShared(all, imported[i]))
            return Fault(imported[i], static_cast<int>(i + 1), IDS_FAULT_FALLBACK_TWICE, extensionjson::kFallback);
        all.Add(imported[i]);
    }
    return ImportError();
}

ImportError CheckImport(std::vector<CProfileData>& imported, const CProfileCollection* kept, int32_t ieMajorVersion) {
    for (std::size_t i = 0; i < imported.size(); ++i) {
        ImportError e = CheckProfile(imported[i], static_cast<int>(i + 1), ieMajorVersion);
        if (e.Failed()) return e;
    }
    return CheckTogether(imported, kept);
}

}  // namespace importchecks
