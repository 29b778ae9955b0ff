#include "service/win/UsersChoice.h"

#include "service/ServiceRegistration.h"
#include "system/win/RegistrySetting.h"

ServiceUsers ReadServiceUsers() {
    return UsersFromSettings(ReadMachineSetting(kPolicyKey, kServiceUsersPolicy),
                             ReadMachineSetting(kServiceSettingsKey, kServiceUsersValue));
}
