#pragma once
// The data file as an installation's import found it, kept beside it
// ("<data file>.rollback") until the installation ends, so that a rollback
// puts it back: the same bytes, or no data file where there was none (an
// empty copy says so).
#include <string>

// Keeps the data file as it is now; false when it cannot be kept.
bool KeepDataFileForRollback();
// Puts the kept data file back in place; nothing when none was kept.
void PutBackKeptDataFile();
// The installation went through: the kept copy goes.
void DiscardKeptDataFile();
