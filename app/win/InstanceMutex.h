#pragma once
#include <windows.h>

// The global mutexes by which the main program and the bulk-edit tool know
// that the other one (or another instance of themselves) runs somewhere on
// the computer, for any logged-on user.
inline constexpr wchar_t kInstanceMutexName[] = L"Global\\Tolvik_Network By Moxq";
inline constexpr wchar_t kEditToolMutexName[] = L"Global\\Tolvik_Network_EditProfile By Moxq";

// Creates the named mutex, open to every user of the computer (null DACL)
// and owned from the start. `existed` when someone else created it first,
// or when it cannot even be created or opened (it belongs to someone else).
HANDLE CreateInstanceMutex(const wchar_t* name, bool& existed);

// True when a mutex of that name exists and can be opened.
bool InstanceMutexExists(const wchar_t* name);

// Gives up and closes a mutex made by CreateInstanceMutex; null is allowed.
void ReleaseInstanceMutex(HANDLE& mutex);
