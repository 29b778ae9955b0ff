#include "profile/RecordedNetwork.h"

#include "system/MacText.h"

bool IsOnRecordedNetwork(const RecordedNetwork& recorded, const RecordedNetwork& found) {
    if (recorded.Empty()) return false;
    if (!recorded.gatewayMac.empty() && !mactext::Same(recorded.gatewayMac, found.gatewayMac)) return false;
    if (!recorded.dnsDomain.empty() && text::UpperAscii(recorded.dnsDomain) != text::UpperAscii(found.dnsDomain))
        return false;
    return recorded.wifiName.empty() || recorded.wifiName == found.wifiName;
}
