#include "service/win/ClientIdentity.h"

#include <lmcons.h>

Text PipeClientUserName(HANDLE pipe) {
    if (!ImpersonateNamedPipeClient(pipe)) return u"?";
    wchar_t name[UNLEN + 1] = {};
    DWORD size = UNLEN + 1;
    const bool named = GetUserNameW(name, &size) != FALSE;
    // A thread that cannot take back the service's own identity must not
    // serve anyone else.
    if (!RevertToSelf()) ExitProcess(ERROR_ACCESS_DENIED);
    return named ? Text(reinterpret_cast<const char16_t*>(name)) : Text(u"?");
}
