#pragma once
// The text of an export file, made only when the tool's own import would
// take it back: a deployment script learns of a profile that the import
// refuses when the file is made, not on every laptop it is imported on.
#include <cstdint>
#include <string>
#include <vector>

#include "editor/ImportError.h"
#include "profile/ProfileData.h"

namespace profileexport {

// The file for these profiles in `text`, once it has been read back and
// checked as an import that replaces all profiles reads and checks it.
// When the import would refuse it, the reason, named as the import names
// it, and `text` stays empty. `text` is empty without a reason only when
// the file could not be composed at all.
ImportError Compose(const std::vector<CProfileData>& profiles, int32_t ieMajorVersion, std::string& text);

}  // namespace profileexport
