#include "wizard/NetworkCheckRules.h"

#include "resources/resource.h"

namespace networkcheck {

bool IsPingOffered(uint8_t ipMode, uint32_t defaultGateway) { return ipMode != 1 || defaultGateway != 0; }

int CheckNetworkCheckPage(bool urlTicked, const Text& url) {
    return urlTicked && url.empty() ? IDS_CHECK_URL_EMPTY : 0;
}

}  // namespace networkcheck
