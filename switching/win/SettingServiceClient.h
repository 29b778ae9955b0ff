#pragma once
// The main program's side of the setting service: whether the service runs,
// and one request through its pipe. The service applies the TCP/IP settings
// with the applier's own command lines, so a standard user's switch needs no
// elevation prompt while it runs.
#include <windows.h>

#include "applier/SettingRequest.h"
#include "profile/ProfileData.h"

// The process of the running setting service; 0 when the service is not
// installed, not running, or the service control manager cannot be asked.
// Needs only the rights that every user has (connect, query status).
DWORD RunningSettingServiceProcess();

// How long one request may take: at most `rounds` waits of `roundMs` each,
// cut short as soon as `stop` (may be NULL) is set.
struct SettingServiceWait {
    HANDLE stop;
    int rounds;
    DWORD roundMs;
};

// Sends the profile's record and extension (SettingRequestMessage) to the
// pipe that the service published and returns its reply. NotPermitted also when no pipe name is published or
// the user may not open the pipe (access denied). The record goes only to a
// pipe whose server is `serviceProcess`; a pipe held by any other process, a
// pipe that cannot be reached, a reply that is not one of the service's, the
// time running out and the stop are all Failed.
SettingReply ApplyThroughSettingService(DWORD serviceProcess, const CProfileData& profile,
                                        const SettingServiceWait& wait);
