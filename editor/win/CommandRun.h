#pragma once
// The bulk-edit tool run by a deployment script: /export and /import
// without a window. What happened reaches the script's console; the exit
// code tells success from each kind of refusal.
#include <string>

#include "editor/EditorCommandLine.h"

enum ToolExitCode {
    kExitDone = 0,
    kExitUsage = 1,        // the command line is not one the tool knows
    kExitRefused = 2,      // Ortivo or another Relabrin runs
    kExitDataFile = 3,     // the data file cannot be read or written
    kExitProfileFile = 4,  // the export or import file cannot be written or read
    kExitNotImportable = 5,  // the import refuses the profile file: an import leaves the data file
                             // unchanged, an export writes nothing
};

int RunCommand(const EditorCommand& command, const std::wstring& programFolder);
