#pragma once
// Whether the user who runs the bulk-edit tool may write the data file.
//
// The writer makes the new image as a temporary file in the data folder and
// then moves it onto the data file, so the right it needs first is that of
// making a file in the folder (FILE_ADD_FILE), which a folder whose files
// users may only read (managed profiles) refuses them. The system is asked
// by opening the folder for exactly that right: its answer takes in
// everything Windows decides by (deny and allow entries, groups that UAC
// made deny-only, integrity), none of which the tool re-implements. The
// data file itself is not opened for writing: the writer never writes it in
// place, a read-only attribute (which the writer clears) would answer "no"
// where the write succeeds, and a data file that does not exist yet would
// answer nothing at all.
#include <string>

// True unless the system refuses this process a new file in `folder`
// (ERROR_ACCESS_DENIED); any other failure is left to the write to report.
bool SystemAllowsNewFileIn(const std::wstring& folder);

// The question as the tool asks it; a test replaces it, since Wine keeps no
// access-control lists on files and grants every process everything.
using NewFileQuery = bool (*)(const std::wstring& folder);
extern NewFileQuery allowsNewFileIn;

// Whether the data file of the programs in `programFolder` may be written.
bool MayWriteDataFile(const std::wstring& programFolder);
