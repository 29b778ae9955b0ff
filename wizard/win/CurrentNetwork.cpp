// The network an adapter's connection is on, as a profile records it: the
// same reading as the main program's watch, so that a recorded network is
// found again as it was recorded.
#include "system/win/ConnectionSnapshot.h"
#include "wizard/win/CurrentSettings.h"

RecordedNetwork FindCurrentNetwork(const std::wstring& macText) {
    const AdapterAddresses adapter = ReadAdapterAddresses(macText);
    return NetworkOfAdapter(adapter, ReadAdapterTcpip(adapter.guid));
}
