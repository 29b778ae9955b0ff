#include "wizard/CurrentProxyRules.h"

#include <cstddef>
#include <cstring>

namespace currentproxy {

namespace {

constexpr int kIeWithGopher = 6;

struct ProtocolFields {
    const char16_t* key;
    const TextField* server;
    std::size_t portOffset;  // the port fields sit at odd offsets: written byte-wise
};

const ProtocolFields kProtocols[] = {
    {u"HTTP", &ProfileText::httpProxyServer, offsetof(ProfileRecord, httpProxyPort)},
    {u"HTTPS", &ProfileText::secureProxyServer, offsetof(ProfileRecord, secureProxyPort)},
    {u"FTP", &ProfileText::ftpProxyServer, offsetof(ProfileRecord, ftpProxyPort)},
    {u"GOPHER", &ProfileText::gopherProxyServer, offsetof(ProfileRecord, gopherProxyPort)},
    {u"SOCKS", &ProfileText::socksProxyServer, offsetof(ProfileRecord, socksProxyPort)},
};

void SetServer(CProfileData& profile, const ProtocolFields& protocol, const HostPort& value) {
    profile.SetText(*protocol.server, value.host);
    std::memcpy(reinterpret_cast<uint8_t*>(&profile.Record()) + protocol.portOffset, &value.port, sizeof(value.port));
}

// One server for every protocol: HTTP, Secure and FTP take it, Gopher only
// on Internet Explorer 6, SOCKS never.
void FillSingleServer(CProfileData& profile, const Text& server, int ieMajorVersion) {
    const HostPort all = SplitHostPort(server);
    for (const ProtocolFields& protocol : kProtocols) {
        const bool takes = protocol.server != &ProfileText::socksProxyServer &&
                           (protocol.server != &ProfileText::gopherProxyServer || ieMajorVersion == kIeWithGopher);
        SetServer(profile, protocol, takes ? all : HostPort());
    }
}

void FillPerProtocol(CProfileData& profile, const Text& server) {
    for (const ProtocolFields& protocol : kProtocols)
        SetServer(profile, protocol, FindProtocolEntry(server, protocol.key).value_or(HostPort()));
}

void FillServers(CProfileData& profile, const Text& server, int ieMajorVersion) {
    const bool single = server.find(u'=') == Text::npos;
    profile.Record().sameProxyForAll = single ? 1 : 0;
    if (single) FillSingleServer(profile, server, ieMajorVersion);
    else FillPerProtocol(profile, server);
}

// A final "<local>" entry becomes the bypassLocal flag; the entries before
// the last ";" stay in the list.
void FillBypass(CProfileData& profile, const Text& bypass) {
    const bool local = text::UpperAscii(bypass).find(u"<LOCAL>") != Text::npos;
    profile.Record().bypassLocal = local ? 1 : 0;
    const std::size_t lastSeparator = bypass.rfind(u';');
    Text list = bypass;
    if (local) list = lastSeparator == Text::npos ? Text() : bypass.substr(0, lastSeparator);
    profile.SetText(ProfileText::proxyBypassList, list);
}

void FillAutoConfig(CProfileData& profile, const CurrentProxy& current) {
    const bool enabled = (current.flags & kAutoProxyUrlFlag) != 0;
    profile.Record().autoConfigEnabled = enabled ? 1 : 0;
    if (!enabled) profile.ClearText(ProfileText::autoConfigUrl);
    else if (current.autoConfigUrl) profile.SetText(ProfileText::autoConfigUrl, *current.autoConfigUrl);
}

}  // namespace

HostPort SplitHostPort(const Text& text) {
    const std::size_t colon = text.find(u':');
    if (colon == Text::npos) return HostPort{text, 0};
    return HostPort{text.substr(0, colon), text::ReadDecimal(text.substr(colon + 1))};
}

std::optional<HostPort> FindProtocolEntry(const Text& server, const Text& protocol) {
    const Text key = protocol + u"=";
    const std::size_t start = text::UpperAscii(server).find(key);
    if (start == Text::npos) return std::nullopt;
    const std::size_t valueStart = start + key.size();
    const std::size_t end = server.find(u';', valueStart);
    return SplitHostPort(server.substr(valueStart, end == Text::npos ? Text::npos : end - valueStart));
}

void FillProxyFields(CProfileData& profile, const CurrentProxy& current, int ieMajorVersion) {
    if (current.server) FillServers(profile, *current.server, ieMajorVersion);
    if (current.bypass) FillBypass(profile, *current.bypass);
    FillAutoConfig(profile, current);
}

}  // namespace currentproxy
