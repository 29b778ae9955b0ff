#pragma once
#include <string>

// Tells the deployment script that started the tool without a window what
// happened: a line on the standard output (or, for a refusal, the standard
// error) that the script gave the tool, a pipe or a file, in the OEM code
// page that consoles and scripts read; without such a handle, on the console
// of the process that started the tool. Nowhere when there is neither.
void WriteToScript(const std::wstring& line, bool isError);
