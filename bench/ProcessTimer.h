#pragma once
// Programs under measurement: the time from CreateProcess to the visible
// main dialog (a dialog captioned "Ortivo") or to a given message box, the working set once
// the program has settled, and the time a program takes to run to its end.
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

// Milliseconds from CreateProcess until the program shows a message box
// with exactly `text`; the box is answered with OK and the program's end is
// awaited. Negative on failure.
double MeasureUntilMessage(const std::wstring& exe, const std::wstring& arguments, const std::wstring& text);

// Milliseconds from CreateProcess to the program's end; negative on failure.
double MeasureRun(const std::wstring& exe, const std::wstring& arguments);

}  // namespace bench
