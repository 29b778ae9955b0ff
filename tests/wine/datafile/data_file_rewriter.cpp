// Writes the data file again and again, the two rewriter sets in turn, for
// the test that kills it in the middle of a write. The named event given on
// the command line is set once the first write is complete.
#include <windows.h>

#include "RewriterSets.h"
#include "profile/win/ProfileFileAccess.h"
#include "tests/wine/support/TestSupport.h"

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return 2;
    HANDLE ready = OpenEventW(EVENT_MODIFY_STATE, FALSE, argv[1]);
    CProfileCollection sets[] = {RewriterSet(0), RewriterSet(1)};
    for (unsigned n = 0;; ++n) {
        if (CProfileFileAccess(sets[n % 2], testsupport::ExeDir()).Write() != 0) return 1;
        if (n == 0 && ready != nullptr) SetEvent(ready);
    }
}
