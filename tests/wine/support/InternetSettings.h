#pragma once
// The per-user Internet settings as the system stores them, and a guard
// that puts them back when a test changed them.
#include <memory>
#include <string>

#include "tests/wine/support/RegistrySeed.h"

// Where WinINet keeps the LAN connection's proxy settings of the user.
extern const wchar_t kInternetSettingsKey[];

// A value of that key: the text, or the number as decimal text, or
// "<absent>".
std::wstring InternetSetting(const wchar_t* name);

// Keeps the proxy values of the key and restores them (and tells WinINet)
// when it goes. Starts with the proxy turned off and no server, exceptions
// or script address, so that requests of the test go straight to their
// loopback servers and a new profile finds no proxy to take over.
class CInternetSettingsGuard {
public:
    CInternetSettingsGuard();
    ~CInternetSettingsGuard();

private:
    std::unique_ptr<CRegistrySeed> seed_;
};
