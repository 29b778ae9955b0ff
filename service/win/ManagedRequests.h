#pragma once
// The setting service in managed mode: it applies only the profiles of a
// data file that no user may change.
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "framework/Text.h"

// The owner and DACL of a file or folder as SDDL, empty when they cannot be
// read (GetNamedSecurityInfoW); tests hand their own in its place, since
// Wine keeps no DACL on files.
using SecuritySddlCall = Text (*)(const std::wstring& path);
extern SecuritySddlCall securitySddl;

// Whether the request (a profile record) may be applied in managed mode:
// the data file and its folder are protected (service/DataFileProtection.h)
// and the record is one of the file's profiles as it is now. The first
// time the data is found unprotected (and again after it was protected
// meanwhile) an event says so.
bool IsManagedRequestApproved(const uint8_t* message, std::size_t size);
