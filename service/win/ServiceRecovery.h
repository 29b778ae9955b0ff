#pragma once
// What the service control manager does when the service fails: it starts
// it again, 5 s later, three times a day, also after a stop with an error
// code (such as a pipe it could not make). The service sets this itself at
// each start, whoever registered it: Windows Installer's own table for it
// does not work as documented.
#include <windows.h>

// True when the manager took both settings.
bool ConfigureRestartOnFailure();
