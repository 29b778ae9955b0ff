#pragma once
// A profile extension that holds these additions and nothing else.
#include <utility>
#include <vector>

#include "profile/ProfileExtension.h"

inline ProfileExtension Additions(std::vector<AddedAddress> addresses, std::vector<AddedGateway> gateways,
                                  std::vector<uint32_t> servers, Text suffix) {
    ProfileExtension e;
    e.moreAddresses = std::move(addresses);
    e.moreGateways = std::move(gateways);
    e.moreDnsServers = std::move(servers);
    e.dnsSuffix = std::move(suffix);
    return e;
}
