#pragma once
// The profile source: the profile file that the policy ProfilesSource
// names (typically on a share the computer accounts can read), which the
// service imports into the data file when it starts and whenever the
// file's content changes, all or nothing, with the bulk-edit tool's checks.
#include <windows.h>

#include <optional>

#include "framework/Sha256.h"

// How often the service looks at the source (at least every 15 minutes).
inline constexpr DWORD kSourceLookMs = 5 * 60 * 1000;

class CProfileSource {
public:
    // Looks once: a source that names a file whose content differs from
    // the one looked at last (none at the start) is imported, and the
    // import (the file's SHA-256 and its profile count) or its refusal (the
    // import's message) written to the event log. No policy, or a source
    // that cannot be read, changes nothing.
    void Look();

private:
    std::optional<Sha256Digest> last_;
};

// Looks at once and then every kSourceLookMs until `stop` is set.
void WatchProfileSource(HANDLE stop);
