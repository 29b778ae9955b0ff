#pragma once
#include <windows.h>

#include <string>

// One HTTP GET of the check URL through the system's proxy settings, with
// the program's user agent and without following redirections. 0 when the
// server answered with a status below 400 (redirections included), -1 for
// any other status and for any failure on the way.
//
// With a `cancel` event, the request runs on a thread of its own and the
// call returns -1 as soon as the event is set, even while the server keeps
// the request waiting (closing a WinINet handle does not end such a wait
// everywhere). The abandoned request finishes by itself later and touches
// nothing of the caller's.
int SendHttpCheck(const std::wstring& url, HANDLE cancel = nullptr);
