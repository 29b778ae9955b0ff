#pragma once
#include "framework/Text.h"

// Name of the per-user Run value that starts the program at logon.
inline constexpr char16_t kAutoRunValueName[] = u"Tolvik_Network";

// The Run value's text for a program folder (without a trailing backslash):
// "\"%s\\%s\" /%s" with the folder, "Tolvik_Network.exe" and "AutoRun".
Text AutoRunCommandLine(const Text& programFolder);
