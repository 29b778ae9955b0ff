#pragma once
// What the wizard's pages and the proxy detail dialog work on: the record
// being edited, the registered profiles (a name must be new among them) and
// the installed Internet Explorer's major version (its proxy protocols).
#include <cstdint>

#include "profile/ProfileCollection.h"
#include "profile/ProfileData.h"

struct ProfileWizardContext {
    CProfileData& editRecord;
    const CProfileCollection& profiles;
    int32_t ieMajorVersion;
};
