// The portable splitter against the system's own CommandLineToArgvW.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include "app/CmdLineAnalysis.h"
#include "framework/win/WideText.h"
#include "tests/wine/support/TestSupport.h"

namespace {

std::vector<std::wstring> SystemSplit(const std::wstring& line) {
    int count = 0;
    LPWSTR* argv = CommandLineToArgvW(line.c_str(), &count);
    std::vector<std::wstring> out;
    if (argv == nullptr) return out;
    for (int i = 0; i < count; ++i) out.push_back(argv[i]);
    LocalFree(argv);
    return out;
}

TEST(CommandLineSplitter, AgreesWithTheSystem) {
    const wchar_t* lines[] = {
        L"\"C:\\Program Files\\Ortivo\\Tolvik_Network.exe\" /AutoRun",
        L"C:\\x.exe /RunProfile3 -autorun",
        L"x.exe \"a b\" c\\\\d \"e\\\"f\" g\\\\\\\"h",
        L"x.exe a\\\\\"b c\" d",
        L"x.exe \"a\"\"b\" c",
        L"x.exe \"\"\"a\"\"\" b",
        L"x.exe \"\" \"\"",
        L"x.exe\t/RunProfile\t3  ",
        L"\"C:\\dir\\\" /x",
        L"x.exe /RunProfile\" \"3",
    };
    for (const wchar_t* line : lines) {
        const std::vector<Text> ours = SplitCommandLine(T(line));
        std::vector<std::wstring> mine;
        for (const Text& t : ours) mine.push_back(W(t));
        EXPECT_EQ(mine, SystemSplit(line)) << testsupport::Narrow(line);
    }
}

}  // namespace
