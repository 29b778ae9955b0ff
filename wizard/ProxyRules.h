#pragma once
// The proxy details of a profile as the wizard's proxy page and its detail
// dialog handle them, apart from their controls: what the dialog shows, the
// one completeness rule (the dialog applies it to its screen values, the page
// to the stored fields), the checks of the dialog's OK and what OK stores.
#include <cstddef>
#include <cstdint>

#include "framework/Text.h"
#include "profile/ProfileData.h"

namespace proxyrules {

// The protocols in the order of the dialog's rows.
enum Protocol { kHttp, kSecure, kFtp, kGopher, kSocks, kProtocolCount };

// Characters the dialog's edits take.
inline constexpr std::size_t kScriptLimit = 2048;
inline constexpr std::size_t kServerLimit = 1024;
inline constexpr std::size_t kPortLimit = 5;
inline constexpr std::size_t kExceptionLimit = 2048;

struct ProxyDetails {
    Text script;  // as typed; spaces at both ends do not count
    Text servers[kProtocolCount];
    int32_t ports[kProtocolCount] = {};
    bool sameForAll = false;
    Text exceptions;
    bool bypassLocal = false;
};

// Gopher takes part only with Internet Explorer 6.
bool UsesGopher(int32_t ieMajorVersion);

// The details as the dialog loads them: the script address whatever
// autoConfigEnabled says, and no Gopher server or port without version 6.
ProxyDetails LoadDetails(const CProfileData& profile, int32_t ieMajorVersion);

// The first failing check of the dialog's OK, in the order they run.
enum class ProxyCheck {
    Passed,
    NoProxy,     // no HTTP server with "same for all", or nothing at all: 178, HTTP server
    SecurePort,  // 150, Secure port (only while the HTTP server is empty)
    FtpPort,     // 151, FTP port
    GopherPort,  // 152, Gopher port
    SocksPort,   // 153, Socks port
    HttpPort,    // 149, HTTP port
};
ProxyCheck CheckDetails(const ProxyDetails& details);

// The completeness rule: the details pass every check of OK. With an HTTP
// server and a valid HTTP port, the other ports are not examined.
bool IsComplete(const ProxyDetails& details);

// String-table id of a failed check's message (0 for Passed).
int ProxyCheckMessage(ProxyCheck check);

// What OK writes into the record: the trimmed script address and its flag,
// every server and port as given, the same-proxy flag, the exceptions with
// their line breaks (up to 2,048 characters) and the local bypass.
void StoreDetails(const ProxyDetails& details, CProfileData* profile);

// A port edit's text: its leading decimal digits (0 when there are none).
int32_t ReadPort(const Text& text);
// What a port edit shows: empty for 0, the decimal number otherwise.
Text PortText(int32_t port);
bool IsValidPort(int32_t port);

}  // namespace proxyrules
