#pragma once
#include <windows.h>

#include "framework/win/UniqueHandle.h"

// The global mutexes by which the main program and the bulk-edit tool know
// that the other one (or another instance of themselves) runs somewhere on
// the computer, for any logged-on user.
inline constexpr wchar_t kInstanceMutexName[] = L"Global\\Tolvik_Network By Moxq";
inline constexpr wchar_t kEditToolMutexName[] = L"Global\\Tolvik_Network_EditProfile By Moxq";

// A mutex this process owns: given up, then closed.
struct InstanceMutexTraits {
    using Type = HANDLE;
    static Type Empty() { return nullptr; }
    static bool Close(Type mutex) {
        ReleaseMutex(mutex);
        return CloseHandle(mutex) != FALSE;
    }
};
using CInstanceMutex = CUniqueHandle<InstanceMutexTraits>;

// Creates the named mutex, open to every user of the computer (null DACL)
// and owned from the start; the owner takes it. `existed` when someone else
// created it first, or when it cannot even be created or opened (it belongs
// to someone else).
void CreateInstanceMutex(const wchar_t* name, CInstanceMutex& owner, bool& existed);

// True when a mutex of that name exists and can be opened.
bool InstanceMutexExists(const wchar_t* name);
