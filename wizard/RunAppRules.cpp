#include "wizard/RunAppRules.h"

#include "resources/resource.h"

namespace runapp {

int CheckRunAppPage(bool runTicked, const Text& path) { return runTicked && path.empty() ? IDS_APP_PATH_EMPTY : 0; }

}  // namespace runapp
