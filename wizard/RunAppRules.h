#pragma once
// The rules of the wizard's application page, apart from its controls.
#include <cstddef>

#include "framework/Text.h"

namespace runapp {

inline constexpr std::size_t kPathLimit = 260;        // characters the path edit takes
inline constexpr std::size_t kArgumentsLimit = 1024;  // characters the options edit takes

// The one entry of the file chooser's type list: every file. The pattern
// must not be empty, or the chooser lists nothing to choose.
struct FileType {
    const char16_t* name;
    const char16_t* pattern;
};
inline constexpr FileType kAnyFile{u"すべてのファイル(*.*)", u"*.*"};

// The check of Next: the application ticked with no path fails with
// message 155 (focus on the path). The path is not looked up: a path typed
// by hand is stored as typed. String-table id of the failure, 0 otherwise.
int CheckRunAppPage(bool runTicked, const Text& path);

}  // namespace runapp
