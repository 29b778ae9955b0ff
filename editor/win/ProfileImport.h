#pragma once
// An import of a profile file into the data file, all or nothing, with the
// tool's checks: the bulk-edit tool's /import runs it, and so do the
// setting service (its profile source) and the package (ORTIVO_PROFILES).
// A program that runs it holds the tool's string table
// (editor/ImportStrings.rc and resources/strings.rc).
#include <cstddef>
#include <string>

struct ImportResult {
    int exitCode;          // the tool's exit code (CommandRun.h): kExitDone when imported
    std::wstring message;  // what happened, in the tool's words
    std::size_t count;     // the profiles imported
};

// Replaces the data file's profiles with those of the profile file at
// `path`, or (`append`) adds them after the profiles there; the data file
// stays as it was unless every check passes.
ImportResult ImportProfileFile(const std::wstring& path, bool append, const std::wstring& programFolder);
// The same for the profile file's bytes, read already.
ImportResult ImportProfileText(const std::string& utf8, bool append, const std::wstring& programFolder);
