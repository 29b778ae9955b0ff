#pragma once
// Whether the data file, or its folder, is protected well enough for the
// setting service to trust its profiles in managed mode: owned by SYSTEM,
// Administrators or TrustedInstaller, and no one else may change it (write
// or append data, delete it or a file in it, write its DACL or its owner).
// Decided from the object's security descriptor as SDDL (owner and DACL),
// as ConvertSecurityDescriptorToStringSecurityDescriptorW writes it. Anything
// that cannot be read as such, a missing or null DACL included, is not
// protected.
#include "framework/Text.h"

bool IsProtectedSddl(const Text& sddl);
