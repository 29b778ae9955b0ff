#pragma once
#include <windows.h>

#include "framework/Text.h"

// The user name of the client whose message was read last from `pipe`
// (the thread takes on the client's identity for the question alone);
// "?" when the system cannot tell it.
Text PipeClientUserName(HANDLE pipe);
