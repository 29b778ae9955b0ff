#pragma once
// A new profile starts from the Internet Explorer proxy settings in force:
// the LAN connection's proxy server text, bypass text and automatic
// configuration address, turned into the profile's proxy fields.
#include <cstdint>
#include <optional>

#include "framework/Text.h"
#include "profile/ProfileData.h"

namespace currentproxy {

// The LAN connection's settings as the per-connection option query returns
// them; a text the system does not hold is absent.
struct CurrentProxy {
    uint32_t flags = 0;                 // PROXY_TYPE_* bits
    std::optional<Text> server;         // "p1:8080" or "http=p1:80;https=p2:443"
    std::optional<Text> bypass;         // "a;b;<local>"
    std::optional<Text> autoConfigUrl;
};

inline constexpr uint32_t kAutoProxyUrlFlag = 0x4;  // PROXY_TYPE_AUTO_PROXY_URL

// One server and its port.
struct HostPort {
    Text host;
    int32_t port = 0;
};

// "host:port" split at the first ":"; without ":" all of it is the host and the port 0.
HostPort SplitHostPort(const Text& text);

// The entry of `protocol` ("HTTP", "HTTPS", "FTP", "GOPHER", "SOCKS") in a
// server text of "protocol=host:port" entries separated by ";" (the key is
// found without regard to letter case); nullopt when it has none.
std::optional<HostPort> FindProtocolEntry(const Text& server, const Text& protocol);

// Writes sameProxyForAll, the five servers and ports, proxyBypassList,
// bypassLocal, autoConfigEnabled and autoConfigUrl from `current`, each part
// only when its text is present; proxyMode is left alone. The Gopher server
// takes a single server only for Internet Explorer 6.
void FillProxyFields(CProfileData& profile, const CurrentProxy& current, int ieMajorVersion);

}  // namespace currentproxy
