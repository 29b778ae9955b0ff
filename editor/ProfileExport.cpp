#include "editor/ProfileExport.h"

#include "editor/ImportChecks.h"
#include "editor/ProfileJson.h"

namespace profileexport {

ImportError Compose(const std::vector<CProfileData>& profiles, int32_t ieMajorVersion, std::string& text) {
    text = profilejson::Write(profiles);
    if (text.empty()) return ImportError();
    std::vector<CProfileData> readBack;
    ImportError e = profilejson::Read(text, readBack);
    if (!e.Failed()) e = importchecks::CheckImport(readBack, nullptr, ieMajorVersion);
    if (e.Failed()) text.clear();
    return e;
}

}  // namespace profileexport
