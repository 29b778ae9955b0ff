#pragma once
// In the test network (tests/testnet), the stand-ins of netsh and ipconfig
// also do what they were asked to the connection's interface, through the
// test network's helper, and write the adapter's TCP/IP key as Windows
// keeps it, so that the programs see the change as they would on Windows.
#include <string>

// False when the connection is unknown or the change failed (netsh and
// ipconfig then fail); true otherwise, and at once outside the test
// network or for a command that changes no address or DNS server.
bool DoInTestNetwork(const std::wstring& commandLine);
