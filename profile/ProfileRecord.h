#pragma once
// The profile record: 26,148 packed bytes, identical in memory, in the data
// file and in the handoff block of the two programs. Little-endian integers,
// UTF-16 text fields padded with zeros. IPv4 values carry the first octet
// in the most significant byte (a.b.c.d = a<<24 | b<<16 | c<<8 | d).
//
// Scalar fields are read and written by value (rec.ipMode = 1). Text fields
// are reached only through CProfileData::GetText/SetText, because most of
// them sit at odd offsets and may not be addressed as char16_t*.
#include <cstddef>
#include <cstdint>

#pragma pack(push, 1)
struct ProfileRecord {
    int32_t  profileId;
    char16_t profileName[36];
    int32_t  iconIndex;
    char16_t connectionName[260];
    char16_t adapterDescription[132];
    char16_t macAddress[24];
    uint8_t  ipMode;
    uint32_t ipAddress;
    uint32_t subnetMask;
    uint32_t defaultGateway;
    uint8_t  dnsMode;
    uint32_t preferredDns;
    uint32_t alternateDns;
    uint8_t  reserved934;
    uint8_t  autoConfigEnabled;
    char16_t autoConfigUrl[2052];
    uint8_t  proxyMode;
    char16_t httpProxyServer[1028];
    char16_t secureProxyServer[1028];
    char16_t ftpProxyServer[1028];
    char16_t gopherProxyServer[1028];
    char16_t socksProxyServer[1028];
    int32_t  httpProxyPort;
    int32_t  secureProxyPort;
    int32_t  ftpProxyPort;
    int32_t  gopherProxyPort;
    int32_t  socksProxyPort;
    uint8_t  sameProxyForAll;
    char16_t proxyBypassList[2052];
    uint8_t  bypassLocal;
    uint8_t  checkDhcp;
    uint8_t  checkPingGateway;
    uint8_t  checkUrlEnabled;
    char16_t checkUrl[1028];
    uint8_t  runAppEnabled;
    char16_t appPath[264];
    char16_t appArguments[1028];
    uint8_t  setDefaultPrinter;
    char16_t printerName[1028];
};
#pragma pack(pop)

inline constexpr std::size_t kProfileRecordSize = 26148;
static_assert(sizeof(ProfileRecord) == kProfileRecordSize, "profile record must be 26,148 bytes");

#define ORTIVO_CHECK_OFFSET(field, offset) \
    static_assert(offsetof(ProfileRecord, field) == (offset), #field " must sit at offset " #offset)
ORTIVO_CHECK_OFFSET(profileId, 0);
ORTIVO_CHECK_OFFSET(profileName, 4);
ORTIVO_CHECK_OFFSET(iconIndex, 76);
ORTIVO_CHECK_OFFSET(connectionName, 80);
ORTIVO_CHECK_OFFSET(adapterDescription, 600);
ORTIVO_CHECK_OFFSET(macAddress, 864);
ORTIVO_CHECK_OFFSET(ipMode, 912);
ORTIVO_CHECK_OFFSET(ipAddress, 913);
ORTIVO_CHECK_OFFSET(subnetMask, 917);
ORTIVO_CHECK_OFFSET(defaultGateway, 921);
ORTIVO_CHECK_OFFSET(dnsMode, 925);
ORTIVO_CHECK_OFFSET(preferredDns, 926);
ORTIVO_CHECK_OFFSET(alternateDns, 930);
ORTIVO_CHECK_OFFSET(reserved934, 934);
ORTIVO_CHECK_OFFSET(autoConfigEnabled, 935);
ORTIVO_CHECK_OFFSET(autoConfigUrl, 936);
ORTIVO_CHECK_OFFSET(proxyMode, 5040);
ORTIVO_CHECK_OFFSET(httpProxyServer, 5041);
ORTIVO_CHECK_OFFSET(secureProxyServer, 7097);
ORTIVO_CHECK_OFFSET(ftpProxyServer, 9153);
ORTIVO_CHECK_OFFSET(gopherProxyServer, 11209);
ORTIVO_CHECK_OFFSET(socksProxyServer, 13265);
ORTIVO_CHECK_OFFSET(httpProxyPort, 15321);
ORTIVO_CHECK_OFFSET(secureProxyPort, 15325);
ORTIVO_CHECK_OFFSET(ftpProxyPort, 15329);
ORTIVO_CHECK_OFFSET(gopherProxyPort, 15333);
ORTIVO_CHECK_OFFSET(socksProxyPort, 15337);
ORTIVO_CHECK_OFFSET(sameProxyForAll, 15341);
ORTIVO_CHECK_OFFSET(proxyBypassList, 15342);
ORTIVO_CHECK_OFFSET(bypassLocal, 19446);
ORTIVO_CHECK_OFFSET(checkDhcp, 19447);
ORTIVO_CHECK_OFFSET(checkPingGateway, 19448);
ORTIVO_CHECK_OFFSET(checkUrlEnabled, 19449);
ORTIVO_CHECK_OFFSET(checkUrl, 19450);
ORTIVO_CHECK_OFFSET(runAppEnabled, 21506);
ORTIVO_CHECK_OFFSET(appPath, 21507);
ORTIVO_CHECK_OFFSET(appArguments, 22035);
ORTIVO_CHECK_OFFSET(setDefaultPrinter, 24091);
ORTIVO_CHECK_OFFSET(printerName, 24092);
#undef ORTIVO_CHECK_OFFSET

// A text field: where it sits, how many UTF-16 units it holds (terminator
// included) and how many characters writers put in at most.
struct TextField {
    std::size_t offset;
    std::size_t capacity;
    std::size_t maxChars;
};

#define ORTIVO_TEXT_FIELD(field, max)                                                       \
    inline constexpr TextField field{offsetof(ProfileRecord, field),                        \
                                     sizeof(ProfileRecord::field) / sizeof(char16_t), max}; \
    static_assert((max) < sizeof(ProfileRecord::field) / sizeof(char16_t), #field " limit leaves no terminator")

namespace ProfileText {
ORTIVO_TEXT_FIELD(profileName, 32);
ORTIVO_TEXT_FIELD(connectionName, 256);
ORTIVO_TEXT_FIELD(adapterDescription, 128);
ORTIVO_TEXT_FIELD(macAddress, 20);
ORTIVO_TEXT_FIELD(autoConfigUrl, 2048);
ORTIVO_TEXT_FIELD(httpProxyServer, 1024);
ORTIVO_TEXT_FIELD(secureProxyServer, 1024);
ORTIVO_TEXT_FIELD(ftpProxyServer, 1024);
ORTIVO_TEXT_FIELD(gopherProxyServer, 1024);
ORTIVO_TEXT_FIELD(socksProxyServer, 1024);
// The exception list: typed in the proxy detail dialog (up to its edit's
// 2,048 characters) or taken over from the current system settings.
ORTIVO_TEXT_FIELD(proxyBypassList, 2048);
ORTIVO_TEXT_FIELD(checkUrl, 1024);
ORTIVO_TEXT_FIELD(appPath, 260);
ORTIVO_TEXT_FIELD(appArguments, 1024);
ORTIVO_TEXT_FIELD(printerName, 1024);
}  // namespace ProfileText
#undef ORTIVO_TEXT_FIELD
