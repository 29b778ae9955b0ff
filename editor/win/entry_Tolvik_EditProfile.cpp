// Tolvik_EditProfile: the bulk-edit tool Relabrin.
#include <windows.h>

#include "editor/win/EditProfileApp.h"

namespace {
CEditProfileApp theApp;
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) { return theApp.Run(instance); }
