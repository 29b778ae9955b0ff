#pragma once
// The printers installed on the computer, local ones and connections, by
// name in the order in which the print spooler lists them.
#include <string>
#include <vector>

// Empty when there are none or the spooler cannot list them.
std::vector<std::wstring> InstalledPrinters();
