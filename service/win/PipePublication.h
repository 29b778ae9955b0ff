#pragma once
// Where the running service tells the main program the name of its pipe:
// HKLM SOFTWARE\Valtrecossin\Ortivo\Service, value Pipe, which only SYSTEM
// and Administrators may write.
#include <windows.h>

#include "framework/Text.h"

// A new pipe name of random digits (SettingPipeName); empty when the
// system gives no random bytes.
Text NewSettingPipeName();
// Writes the name; false when it could not be written.
bool PublishSettingPipe(const Text& name);
// Removes the name again, once the service no longer serves it.
void WithdrawSettingPipe();
