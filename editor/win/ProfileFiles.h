#pragma once
// The files the bulk-edit tool reads and writes, for its window and its
// command line alike: the data file (through the main program's crash-safe
// writer, never touching the stored digest) and the profile files of
// export and import.
#include <cstdint>
#include <string>
#include <vector>

#include "editor/ImportError.h"
#include "editor/ProfileEditList.h"

// Loads the data file into an empty list: 0 loaded, 1 there is no file
// (the list stays empty), -1 the file is unusable.
int LoadDataFile(CProfileEditList& list, const std::wstring& programFolder);
// Saves the list in its order: 0 saved (the list counts as unchanged from
// then on), -2 too little disk space, -1 any other failure. The caller
// keeps lists of more than 12 profiles from being saved.
int SaveDataFile(CProfileEditList& list, const std::wstring& programFolder);
// The string-table id of the message for a failed save.
unsigned SaveFailureMessage(int result);

enum class ProfileFileWrite { written, unwritable, refused };
// Writes an export file of these profiles, unless the tool's import would
// refuse it (`error` says why; nothing is written then, and a file already
// there stays as it was).
ProfileFileWrite ExportProfiles(const std::wstring& path, const std::vector<CProfileData>& profiles,
                                int32_t ieMajorVersion, ImportError& error);

// The bytes of a profile file (16 MiB at most); false when it cannot be read.
bool ReadProfileBytes(const std::wstring& path, std::string& text);

enum class ProfileFileRead { read, unreadable, refused };
// The profiles of an export file, or why they cannot be had (`error` when refused).
ProfileFileRead ReadProfileFile(const std::wstring& path, std::vector<CProfileData>& profiles, ImportError& error);
