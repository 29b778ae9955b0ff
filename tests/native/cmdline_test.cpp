#include <gtest/gtest.h>

#include <initializer_list>

#include "app/CmdLineAnalysis.h"

namespace {

std::vector<std::string> Split(const char* line) {
    std::vector<std::string> out;
    for (const Text& a : SplitCommandLine(text::FromUtf8(line))) out.push_back(text::ToUtf8(a));
    return out;
}

CCmdLineAnalysis Parse(const char* arguments) {
    CCmdLineAnalysis a;
    a.ParseCommandLine(u"\"C:\\Program Files\\Ortivo\\Tolvik_Network.exe\" " + text::FromUtf8(arguments));
    return a;
}

int RunProfileOf(const char* arguments) { return Parse(arguments).runProfile; }

using V = std::vector<std::string>;

TEST(CommandLineSplitter, ProgramNameEndsAtClosingQuoteOrBlank) {
    EXPECT_EQ(Split("\"C:\\A B\\x.exe\" /AutoRun"), (V{"C:\\A B\\x.exe", "/AutoRun"}));
    EXPECT_EQ(Split("C:\\x.exe\t-a  b"), (V{"C:\\x.exe", "-a", "b"}));
    // Backslashes before a quote in the program name are plain characters.
    EXPECT_EQ(Split("\"C:\\dir\\\" x"), (V{"C:\\dir\\", "x"}));
    EXPECT_EQ(Split("x.exe   "), (V{"x.exe"}));
    EXPECT_EQ(Split(""), (V{""}));
}

TEST(CommandLineSplitter, QuotesAndBackslashesFollowTheShellRules) {
    EXPECT_EQ(Split("p \"a b\" c"), (V{"p", "a b", "c"}));
    EXPECT_EQ(Split("p a\\\\b"), (V{"p", "a\\\\b"}));            // no quote: literal
    EXPECT_EQ(Split("p a\\\"b"), (V{"p", "a\"b"}));               // 1 backslash: literal quote
    EXPECT_EQ(Split("p a\\\\\"b c\""), (V{"p", "a\\b c"}));       // 2: one backslash, quoting
    EXPECT_EQ(Split("p a\\\\\\\"b"), (V{"p", "a\\\"b"}));          // 3: one backslash, literal quote
    EXPECT_EQ(Split("p \"\" x"), (V{"p", "", "x"}));              // empty argument kept
    // A doubled quote inside quotes is a literal quote that ends the quoting.
    EXPECT_EQ(Split("p \"a\"\"b\" c"), (V{"p", "a\"b c"}));
    EXPECT_EQ(Split("p \"a\"\"b c"), (V{"p", "a\"b", "c"}));
    EXPECT_EQ(Split("p \"\"\"a\"\"\" b"), (V{"p", "\"a\"", "b"}));
    EXPECT_EQ(Split("p /RunProfile\" \"3"), (V{"p", "/RunProfile 3"}));
}

TEST(CommandLine, AutoRunInAnyCaseWithEitherMark) {
    EXPECT_EQ(Parse("/AutoRun").autoRun, 1);
    EXPECT_EQ(Parse("/autorun").autoRun, 1);
    EXPECT_EQ(Parse("-AUTORUN").autoRun, 1);
    EXPECT_EQ(Parse("AutoRun").autoRun, 0);   // not a switch
    EXPECT_EQ(Parse("/AutoRunX").autoRun, 0);
    EXPECT_EQ(Parse("/AutoRun").runProfile, -1);
    const CCmdLineAnalysis both = Parse("/AutoRun /RunProfile4");
    EXPECT_EQ(both.autoRun, 1);
    EXPECT_EQ(both.runProfile, 4);
}

TEST(CommandLine, RunProfileAcceptsOneToTwelve) {
    EXPECT_EQ(RunProfileOf("/RunProfile1"), 1);
    EXPECT_EQ(RunProfileOf("/RunProfile12"), 12);
    EXPECT_EQ(RunProfileOf("-RunProfile7"), 7);
    for (const char* bad : {"/RunProfile13", "/RunProfile0", "/RunProfile", "/RunProfilex", "/RunProfile-1",
                            "/RunProfile3x", "/RunProfile99999999999999999999", "/", "-", "RunProfile3"})
        EXPECT_EQ(RunProfileOf(bad), -1) << bad;
}

TEST(CommandLine, RemovalIsCaseSensitiveAndConversionFollowsWcstol) {
    EXPECT_EQ(RunProfileOf("/runprofile3"), -1);
    EXPECT_EQ(RunProfileOf("/3"), 3);
    EXPECT_EQ(RunProfileOf("/RunProfile03"), 3);
    EXPECT_EQ(RunProfileOf("/RunProfile+3"), 3);
    EXPECT_EQ(RunProfileOf("\"/RunProfile 3\""), 3);        // leading white space is allowed
    EXPECT_EQ(RunProfileOf("\"/RunProfile3 \""), -1);       // trailing characters are not
    EXPECT_EQ(RunProfileOf("/RunProfile1RunProfile1"), 11);  // every occurrence removed
}

TEST(CommandLine, LaterValidSwitchWinsInvalidOnesAreIgnored) {
    EXPECT_EQ(RunProfileOf("/RunProfile2 /RunProfile5"), 5);
    EXPECT_EQ(RunProfileOf("/RunProfile2 /RunProfile99"), 2);
    EXPECT_EQ(RunProfileOf("/RunProfile 3"), -1);  // the 3 is not a switch
    EXPECT_EQ(RunProfileOf("\"C:\\some file.txt\" /RunProfile6"), 6);
}

TEST(CommandLine, WholeDecimalReading) {
    long v = 0;
    EXPECT_TRUE(ParseWholeDecimal(u"\t\n 12", v));
    EXPECT_EQ(v, 12);
    EXPECT_TRUE(ParseWholeDecimal(u"-5", v));
    EXPECT_EQ(v, -5);
    EXPECT_FALSE(ParseWholeDecimal(u"", v));
    EXPECT_FALSE(ParseWholeDecimal(u"+", v));
    EXPECT_FALSE(ParseWholeDecimal(u"1 2", v));
    EXPECT_FALSE(ParseWholeDecimal(u"2147483648", v));
    EXPECT_TRUE(ParseWholeDecimal(u"-2147483648", v));
}

}  // namespace
