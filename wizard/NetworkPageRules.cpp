#include "wizard/NetworkPageRules.h"

namespace networkpage {

bool FallbackFitsMode(Fallback fallback, int32_t ipMode) {
    switch (fallback) {
        case Fallback::NoDhcp: return ipMode == 1;
        case Fallback::GatewayLost: return ipMode != 1;
        default: return true;
    }
}

bool AutomaticHasNetwork(const ProfileExtension& extension) {
    return !extension.automatic || !extension.network.Empty();
}

bool ShareFallback(const CProfileData& a, const CProfileData& b) {
    return a.Extension().fallback != Fallback::None && a.Extension().fallback == b.Extension().fallback &&
           a.GetText(ProfileText::connectionName) == b.GetText(ProfileText::connectionName);
}

Text FallbackTakenBy(const CProfileCollection& profiles, const CProfileData& profile) {
    CProfileData other;
    for (int i = 0; profiles.GetByPosition(i, &other) == 0; ++i)
        if (other.Record().profileId != profile.Record().profileId && ShareFallback(other, profile))
            return other.GetText(ProfileText::profileName);
    return Text();
}

}  // namespace networkpage
