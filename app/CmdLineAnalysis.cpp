#include "app/CmdLineAnalysis.h"

#include <climits>

namespace {

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

// The program name: quoted up to the next quote, or up to the first blank.
std::size_t SplitProgramName(const Text& line, Text& name) {
    std::size_t i = 0;
    if (i < line.size() && line[i] == u'"') {
        ++i;
        while (i < line.size() && line[i] != u'"') name += line[i++];
        if (i < line.size()) ++i;  // the closing quote
    } else {
        while (i < line.size() && !IsBlank(line[i])) name += line[i++];
    }
    return i;
}

// Splits the arguments after the program name, quote and backslash rules
// as the shell applies them.
class ArgumentSplitter {
public:
    explicit ArgumentSplitter(const Text& line) : line_(line) {}

    void Run(std::size_t i, std::vector<Text>& out) {
        while (i < line_.size() && IsBlank(line_[i])) ++i;
        started_ = i < line_.size();
        while (i < line_.size()) {
            const char16_t c = line_[i];
            if (IsBlank(c) && quotes_ == 0) {
                out.push_back(current_);
                current_.clear();
                backslashes_ = 0;
                while (i < line_.size() && IsBlank(line_[i])) ++i;
                started_ = i < line_.size();
            } else if (c == u'\\') {
                current_ += c;
                ++backslashes_;
                ++i;
            } else if (c == u'"') {
                i = Quote(i);
            } else {
                current_ += c;
                backslashes_ = 0;
                ++i;
            }
        }
        if (started_) out.push_back(current_);
    }

private:
    std::size_t Quote(std::size_t i) {
        if (backslashes_ % 2 == 0) {
            current_.erase(current_.size() - backslashes_ / 2);
            ++quotes_;
        } else {
            current_.erase(current_.size() - backslashes_ / 2 - 1);
            current_ += u'"';
        }
        backslashes_ = 0;
        ++i;
        // A run of quotes: every third one is a literal quote.
        while (i < line_.size() && line_[i] == u'"') {
            if (++quotes_ == 3) {
                current_ += u'"';
                quotes_ = 0;
            }
            ++i;
        }
        if (quotes_ == 2) quotes_ = 0;
        return i;
    }

    const Text& line_;
    Text current_;
    std::size_t backslashes_ = 0;
    int quotes_ = 0;
    bool started_ = false;
};

bool IsWhiteSpace(char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); }

}  // namespace

std::vector<Text> SplitCommandLine(const Text& commandLine) {
    std::vector<Text> out;
    Text name;
    const std::size_t next = SplitProgramName(commandLine, name);
    out.push_back(name);
    ArgumentSplitter(commandLine).Run(next, out);
    return out;
}

bool ParseWholeDecimal(const Text& text, long& value) {
    std::size_t i = 0;
    while (i < text.size() && IsWhiteSpace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
    const std::size_t firstDigit = i;
    long long magnitude = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        magnitude = magnitude * 10 + (text[i] - u'0');
        if (magnitude > static_cast<long long>(INT32_MAX) + 1) return false;
    }
    if (i == firstDigit || i != text.size()) return false;
    const long long signedValue = negative ? -magnitude : magnitude;
    if (signedValue > INT32_MAX || signedValue < INT32_MIN) return false;
    value = static_cast<long>(signedValue);
    return true;
}

void CCmdLineAnalysis::ParseCommandLine(const Text& commandLine) {
    const std::vector<Text> args = SplitCommandLine(commandLine);
    for (std::size_t i = 1; i < args.size(); ++i) {
        const Text& arg = args[i];
        const bool isSwitch = !arg.empty() && (arg[0] == u'/' || arg[0] == u'-');
        ParseParam(isSwitch ? arg.substr(1) : arg, isSwitch, i + 1 == args.size());
    }
}

namespace {

bool EqualsNoCase(const Text& a, const Text& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char16_t x = a[i], y = b[i];
        if (x >= u'a' && x <= u'z') x = static_cast<char16_t>(x - u'a' + u'A');
        if (y >= u'a' && y <= u'z') y = static_cast<char16_t>(y - u'a' + u'A');
        if (x != y) return false;
    }
    return true;
}

}  // namespace

void CCmdLineAnalysis::ParseParam(const Text& param, bool isSwitch, bool /*isLast*/) {
    if (!isSwitch) return;
    if (EqualsNoCase(param, u"AutoRun")) {
        autoRun = 1;
        return;
    }
    const Text rest = text::ReplaceAll(param, u"RunProfile", u"");
    if (rest.empty()) return;
    long number = 0;
    if (!ParseWholeDecimal(rest, number) || number < 1 || number > 12) return;
    runProfile = static_cast<int32_t>(number);
}
