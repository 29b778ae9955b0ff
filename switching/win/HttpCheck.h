#pragma once
#include <string>

// One HTTP GET of the check URL through the system's proxy settings, with
// the program's user agent and without following redirections. 0 when the
// server answered with a status below 400 (redirections included), -1 for
// any other status and for any failure on the way.
int SendHttpCheck(const std::wstring& url);
