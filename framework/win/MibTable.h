#pragma once
// The handle owner for a table that IP Helper allocated for the caller
// (GetIpForwardTable2, GetIpNetTable2, ...), given back with FreeMibTable.
#include <winsock2.h>
#include <ws2ipdef.h>
#include <windows.h>
#include <iphlpapi.h>
#include <netioapi.h>

#include "framework/win/UniqueHandle.h"

template <class T>
struct MibTableTraits {
    using Type = T*;
    static Type Empty() { return nullptr; }
    static bool Close(Type table) {
        FreeMibTable(table);
        return true;
    }
};

template <class T>
using CMibTable = CUniqueHandle<MibTableTraits<T>>;
