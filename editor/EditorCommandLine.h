#pragma once
// The bulk-edit tool's command line. Without arguments it opens its window;
// deployment scripts use it without a window:
//   /export FILE            every profile of the data file into FILE
//   /import FILE            the profiles of FILE replace all profiles
//   /import FILE /append    the profiles of FILE follow those there are
// Switches may start with "/" or "-" and are not case-sensitive.
#include "framework/Text.h"

struct EditorCommand {
    enum class Kind { window, exportFile, importFile, invalid };
    Kind kind = Kind::window;
    Text file;
    bool append = false;
};

// The whole command line as the process received it (program name first).
EditorCommand ParseEditorCommandLine(const Text& commandLine);
