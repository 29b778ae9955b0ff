#pragma once
// What the Linux host says about the interfaces behind Wine's adapters:
// Wine names each adapter after its interface, whose facts are readable
// through the Z: drive.
#include <windows.h>

#include <string>
#include <vector>

#include "system/win/AdapterDiscovery.h"

// First line of Z:\sys\class\net\<interface>\<file>; empty when unreadable.
std::string HostInterfaceFact(const std::wstring& interfaceName, const wchar_t* file);

// Lower-case form of an ASCII text.
std::wstring LowerAscii(std::wstring s);

// The adapters that GetAdaptersInfo reports, with the host's view of each.
struct HostAdapter {
    AdapterInfo adapter;
    std::string hostMac;    // "02:fc:00:00:00:01" as the host writes it
    std::string operState;  // "up", "down", ...
};
std::vector<HostAdapter> HostAdapters();
