#include "system/ManagedProfiles.h"

namespace {

bool IsOne(const RegistrySetting& setting) {
    return (setting.number && *setting.number == 1) || (setting.text && *setting.text == u"1");
}

}  // namespace

bool IsManagedProfiles(const RegistrySetting& policy, const RegistrySetting& package) {
    if (policy.Present()) return policy.number && *policy.number == 1;
    return IsOne(package);
}
