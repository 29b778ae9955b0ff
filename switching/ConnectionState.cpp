#include "switching/ConnectionState.h"

bool ConnectionState::HasAssignedAddress() const {
    for (const AddressWithMask& a : addresses)
        if (a.address != 0 && (a.address >> 16) != 0xA9FE) return true;
    return false;
}
