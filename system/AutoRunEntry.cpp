#include "system/AutoRunEntry.h"

Text AutoRunCommandLine(const Text& programFolder) {
    return u"\"" + programFolder + u"\\" + u"Tolvik_Network.exe" + u"\" /" + u"AutoRun";
}
