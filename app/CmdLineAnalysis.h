#pragma once
// The main program's command line: /AutoRun and /RunProfile<n>.
#include <cstdint>
#include <vector>

#include "framework/Object.h"
#include "framework/Text.h"

// Splits a whole command line into arguments by the rules of the Windows
// shell (CommandLineToArgvW): the program name ends at the closing quote or
// the first blank; later arguments are separated by blanks and tabs outside
// quotes, 2n backslashes before a quote give n backslashes and a quote
// mark that toggles quoting, 2n+1 give n backslashes and a literal quote,
// and other backslashes stand for themselves. The program name is element 0.
std::vector<Text> SplitCommandLine(const Text& commandLine);

class CCmdLineAnalysis : public CObject {
public:
    ~CCmdLineAnalysis() override = default;

    // Splits the process's full command line and hands every argument but
    // the program name to ParseParam; "/" or "-" in front marks a switch
    // and is taken off.
    void ParseCommandLine(const Text& commandLine);
    // One parameter; `isSwitch` when it carried a switch mark.
    virtual void ParseParam(const Text& param, bool isSwitch, bool isLast);

    uint8_t autoRun = 0;
    int32_t runProfile = -1;  // 1..12, or -1 for none
};

// wcstol-style reading of a whole text as a base-10 number: leading white
// space and a sign are allowed, nothing may follow the digits. False when
// the text is not such a number or does not fit a 32-bit value.
bool ParseWholeDecimal(const Text& text, long& value);
