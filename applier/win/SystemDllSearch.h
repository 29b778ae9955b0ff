#pragma once
// The elevated programs (the applier and the setting service) load DLLs
// from the system directory alone: never from the folder they were started
// in, which a user may have planted a DLL in.
#include <windows.h>

// SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32) for the rest of
// the process, looked up at run time (Windows 7 has it only with
// KB2533623). False when the system lacks it or refuses.
bool LoadDllsFromSystemDirectoryOnly();
