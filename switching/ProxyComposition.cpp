#include "switching/ProxyComposition.h"

namespace proxy {

namespace {

// One protocol's server as the profile holds it.
struct Server {
    const char16_t* scheme;  // prefix in the per-protocol list
    Text name;
    Text hostPort;  // "%s:%d"
};

Server MakeServer(const char16_t* scheme, const Text& name, int32_t port) {
    return Server{scheme, name, name + u":" + text::Decimal(port)};
}

Text BypassText(const CProfileData& profile) {
    const Text list = profile.GetText(ProfileText::proxyBypassList);
    return profile.Record().bypassLocal == 1 ? list + u" <local>" : list;
}

// "socks=... https=... http=... gopher=... ftp=...": every protocol with a
// server, one space between entries.
Text PerProtocolList(const Server* const (&ordered)[5]) {
    Text out;
    for (const Server* s : ordered) {
        if (s->name.empty()) continue;
        if (!out.empty()) out += u' ';
        out += Text(s->scheme) + u"=" + s->hostPort;
    }
    return out;
}

Options SetFromProfile(const CProfileData& profile, int ieMajorVersion) {
    const ProfileRecord& r = profile.Record();
    const bool withGopher = ieMajorVersion == 6;
    const Server http = MakeServer(u"http", profile.GetText(ProfileText::httpProxyServer), r.httpProxyPort);
    const Server secure = MakeServer(u"https", profile.GetText(ProfileText::secureProxyServer), r.secureProxyPort);
    const Server ftp = MakeServer(u"ftp", profile.GetText(ProfileText::ftpProxyServer), r.ftpProxyPort);
    const Server gopher = MakeServer(
        u"gopher", withGopher ? profile.GetText(ProfileText::gopherProxyServer) : Text(), r.gopherProxyPort);
    const Server socks = MakeServer(u"socks", profile.GetText(ProfileText::socksProxyServer), r.socksProxyPort);

    const Text script = text::TrimSpaces(profile.GetText(ProfileText::autoConfigUrl));
    const bool autoConfig = r.autoConfigEnabled == 1 && !script.empty();

    Options o;
    o.action = Action::SetFromProfile;
    o.autoConfigUrl = autoConfig ? script : Text();
    const uint32_t noProxyFlags = autoConfig ? kTypeAutoProxyUrl : kTypeDirect;
    const uint32_t proxyFlags = kTypeProxy | (autoConfig ? kTypeAutoProxyUrl : 0);

    const bool noServer = r.sameProxyForAll == 1
                              ? http.name.empty()
                              : http.name.empty() && secure.name.empty() && ftp.name.empty() &&
                                    gopher.name.empty() && socks.name.empty();
    if (noServer) {
        o.flags = noProxyFlags;
        return o;
    }
    o.flags = proxyFlags;
    o.bypass = BypassText(profile);
    const bool oneServer = r.sameProxyForAll == 1 ||
                           (http.hostPort == secure.hostPort && http.hostPort == ftp.hostPort &&
                            (!withGopher || http.hostPort == gopher.hostPort) && socks.name.empty());
    if (oneServer) {
        o.server = http.hostPort;
    } else {
        const Server* const ordered[5] = {&socks, &secure, &http, &gopher, &ftp};
        o.server = PerProtocolList(ordered);
    }
    return o;
}

}  // namespace

Options Compose(const CProfileData& profile, int ieMajorVersion) {
    switch (profile.Record().proxyMode) {
    case 1:
        return Options{};
    case 0: {
        Options o;
        o.action = Action::TurnOff;
        o.flags = kTypeDirect;
        return o;
    }
    default:
        return SetFromProfile(profile, ieMajorVersion);
    }
}

}  // namespace proxy
