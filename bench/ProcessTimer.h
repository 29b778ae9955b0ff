#pragma once
// Programs under measurement: the time from CreateProcess to the visible
// main dialog (a dialog captioned "Ortivo") or to a given message box, the
// working set once the program has settled, and when a program that it
// starts begins and ends.
#include <windows.h>

#include <string>

namespace bench {

struct StartFigures {
    bool ok = false;
    double visibleMs = 0;     // CreateProcess to the visible main dialog
    double workingSetMb = 0;  // after that, once the program has been idle a second
};

// Starts the program, measures it and ends it (TerminateProcess: nothing
// the program would do on closing is measured or left behind).
StartFigures MeasureStart(const std::wstring& exe, const std::wstring& arguments);

struct MessageFigures {
    bool ok = false;          // the message came and the program ended
    bool childSeen = false;   // the program `child` was started and ended meanwhile
    double dialogMs = 0;      // CreateProcess to the visible main dialog
    double childStartMs = 0;  // to the creation of the program it started (the setting applier)
    double childEndMs = 0;    // to that program's end
    double messageMs = 0;     // to the message box
};

// Starts the main program and times it to its visible main dialog and then
// to a message box with exactly `text`, which is answered with OK; the
// program's end is awaited. The program `child` (a file name) that it
// starts meanwhile, if it does, is timed from its creation to its end.
MessageFigures MeasureUntilMessage(const std::wstring& exe, const std::wstring& arguments, const std::wstring& text,
                                   const wchar_t* child);

}  // namespace bench
