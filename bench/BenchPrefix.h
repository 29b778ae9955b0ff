#pragma once
// The benchmark's Wine prefix made ready for the main program: the data
// folder, no hint window after the start, the recording stand-ins in place
// of netsh and ipconfig; data files of a given number of profiles kept
// aside and put in place before each start.
#include <windows.h>

#include <string>

namespace bench {

bool PreparePrefix();

// A data file of `count` profiles (fixed address and DNS, no checks,
// printer or application; profile 2 sets "no proxy", the others leave the
// proxy as it is), kept aside; its path, or empty.
std::wstring MakeProfileFile(int count);

// Puts a kept file in place as the data file (linked where it can be) and stores its digest, as the
// program does after writing it (so a start with a profile number applies it).
bool UseProfileFile(const std::wstring& keptFile);

}  // namespace bench
