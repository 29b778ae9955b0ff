// Tolvik_Network: the main program.
#include <windows.h>

#include "app/win/Tolvik_NetworkApp.h"

namespace {
CTolvik_NetworkApp theApp;
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) { return theApp.Run(instance); }
