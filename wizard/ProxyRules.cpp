#include "wizard/ProxyRules.h"

#include "resources/resource.h"

namespace proxyrules {

namespace {

constexpr int32_t kLargestPort = 65535;

const TextField& ServerField(int protocol) {
    static const TextField* const fields[kProtocolCount] = {
        &ProfileText::httpProxyServer, &ProfileText::secureProxyServer, &ProfileText::ftpProxyServer,
        &ProfileText::gopherProxyServer, &ProfileText::socksProxyServer};
    return *fields[protocol];
}

// The ports are packed fields: read and written by value.
int32_t StoredPort(const ProfileRecord& r, int protocol) {
    switch (protocol) {
        case kHttp: return r.httpProxyPort;
        case kSecure: return r.secureProxyPort;
        case kFtp: return r.ftpProxyPort;
        case kGopher: return r.gopherProxyPort;
        default: return r.socksProxyPort;
    }
}

void StorePort(ProfileRecord& r, int protocol, int32_t port) {
    switch (protocol) {
        case kHttp: r.httpProxyPort = port; break;
        case kSecure: r.secureProxyPort = port; break;
        case kFtp: r.ftpProxyPort = port; break;
        case kGopher: r.gopherProxyPort = port; break;
        default: r.socksProxyPort = port; break;
    }
}

bool NoServer(const ProxyDetails& d) {
    for (const Text& server : d.servers)
        if (!server.empty()) return false;
    return true;
}

// The other protocols' ports, looked at only while the HTTP server is empty.
ProxyCheck FirstBadOtherPort(const ProxyDetails& d) {
    static const struct {
        Protocol protocol;
        ProxyCheck failure;
    } others[] = {{kSecure, ProxyCheck::SecurePort},
                  {kFtp, ProxyCheck::FtpPort},
                  {kGopher, ProxyCheck::GopherPort},
                  {kSocks, ProxyCheck::SocksPort}};
    for (const auto& other : others)
        if (!d.servers[other.protocol].empty() && !IsValidPort(d.ports[other.protocol])) return other.failure;
    return ProxyCheck::Passed;
}

}  // namespace

bool UsesGopher(int32_t ieMajorVersion) { return ieMajorVersion == 6; }

ProxyDetails LoadDetails(const CProfileData& profile, int32_t ieMajorVersion) {
    const ProfileRecord& r = profile.Record();
    ProxyDetails d;
    d.script = profile.GetText(ProfileText::autoConfigUrl);
    for (int p = 0; p < kProtocolCount; ++p) {
        if (p == kGopher && !UsesGopher(ieMajorVersion)) continue;
        d.servers[p] = profile.GetText(ServerField(p));
        d.ports[p] = StoredPort(r, p);
    }
    d.sameForAll = r.sameProxyForAll == 1;
    d.exceptions = profile.GetText(ProfileText::proxyBypassList);
    d.bypassLocal = r.bypassLocal == 1;
    return d;
}

ProxyCheck CheckDetails(const ProxyDetails& d) {
    const bool noScript = text::TrimSpaces(d.script).empty();
    const bool noHttp = d.servers[kHttp].empty();
    if (noHttp && d.sameForAll && noScript) return ProxyCheck::NoProxy;
    if (noHttp && !d.sameForAll) {
        const ProxyCheck other = FirstBadOtherPort(d);
        if (other != ProxyCheck::Passed) return other;
    }
    if (!noHttp && !IsValidPort(d.ports[kHttp])) return ProxyCheck::HttpPort;
    if (NoServer(d) && noScript) return ProxyCheck::NoProxy;
    return ProxyCheck::Passed;
}

bool IsComplete(const ProxyDetails& details) { return CheckDetails(details) == ProxyCheck::Passed; }

int ProxyCheckMessage(ProxyCheck check) {
    switch (check) {
        case ProxyCheck::NoProxy: return IDS_PROXY_EMPTY;
        case ProxyCheck::SecurePort: return IDS_SECURE_PORT;
        case ProxyCheck::FtpPort: return IDS_FTP_PORT;
        case ProxyCheck::GopherPort: return IDS_GOPHER_PORT;
        case ProxyCheck::SocksPort: return IDS_SOCKS_PORT;
        case ProxyCheck::HttpPort: return IDS_HTTP_PORT;
        case ProxyCheck::Passed: break;
    }
    return 0;
}

void StoreDetails(const ProxyDetails& d, CProfileData* profile) {
    ProfileRecord& r = profile->Record();
    const Text script = text::TrimSpaces(d.script);
    profile->ClearText(ProfileText::autoConfigUrl);
    r.autoConfigEnabled = script.empty() ? 0 : 1;
    if (!script.empty()) profile->SetText(ProfileText::autoConfigUrl, script);
    for (int p = 0; p < kProtocolCount; ++p) {
        profile->SetText(ServerField(p), d.servers[p]);
        StorePort(r, p, d.ports[p]);
    }
    r.sameProxyForAll = d.sameForAll ? 1 : 0;
    profile->SetText(ProfileText::proxyBypassList, d.exceptions);
    r.bypassLocal = d.bypassLocal ? 1 : 0;
}

int32_t ReadPort(const Text& text) {
    int32_t port = 0;
    for (char16_t c : text) {
        if (c < u'0' || c > u'9') break;
        // Past the largest port the exact value no longer matters.
        if (port <= kLargestPort) port = port * 10 + (c - u'0');
    }
    return port;
}

Text PortText(int32_t port) { return port == 0 ? Text() : text::Decimal(port); }

bool IsValidPort(int32_t port) { return port >= 1 && port <= kLargestPort; }

}  // namespace proxyrules
