#pragma once
#include <windows.h>

#include "applier/ApplierPlan.h"

// Sets the connection's DNS suffix where Windows' own advanced TCP/IP
// settings keep it: the value "Domain" (REG_SZ; "" for none) of the TCP/IP
// key of the adapter whose connection has the plan's name (letter case
// ignored). True when it was written, and when there was nothing to clear
// (no adapter of that connection, or no TCP/IP key of it).
bool SetConnectionSuffix(const SuffixSetting& setting);
