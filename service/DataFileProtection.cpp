#include "service/DataFileProtection.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// Accounts that may own and change the data: SYSTEM, Administrators,
// TrustedInstaller.
const char16_t* const kTrusted[] = {u"SY", u"BA", u"S-1-5-18", u"S-1-5-32-544",
                                    u"S-1-5-80-956008885-3425930513-3319585337-2512034330-1513930148"};

// FILE_WRITE_DATA (a folder: add a file), FILE_APPEND_DATA (add a folder),
// FILE_DELETE_CHILD, DELETE, WRITE_DAC, WRITE_OWNER, GENERIC_ALL and
// GENERIC_WRITE.
constexpr uint32_t kChangeRights = 0x2 | 0x4 | 0x40 | 0x10000 | 0x40000 | 0x80000 | 0x10000000 | 0x40000000;

bool IsTrusted(const Text& sid) {
    for (const char16_t* trusted : kTrusted)
        if (sid == trusted) return true;
    return false;
}

struct RightCode {
    char16_t code[3];
    uint32_t mask;
};
// The access rights SDDL may write as two letters for a file or folder.
const RightCode kRightCodes[] = {
    {u"GA", 0x10000000}, {u"GR", 0x80000000}, {u"GW", 0x40000000}, {u"GX", 0x20000000}, {u"RC", 0x20000},
    {u"SD", 0x10000},    {u"WD", 0x40000},    {u"WO", 0x80000},    {u"FA", 0x1F01FF},   {u"FR", 0x120089},
    {u"FW", 0x120116},   {u"FX", 0x1200A0},   {u"CC", 0x1},        {u"DC", 0x2},        {u"LC", 0x4},
    {u"SW", 0x8},        {u"RP", 0x10},       {u"WP", 0x20},       {u"DT", 0x40},       {u"LO", 0x80},
    {u"CR", 0x100}};

// The rights of an ACE, as a hexadecimal number or letter codes; false for
// anything else.
bool ReadRights(const Text& text, uint32_t& mask) {
    mask = 0;
    if (text.size() > 2 && text[0] == u'0' && (text[1] == u'x' || text[1] == u'X')) {
        const std::string digits(text.begin() + 2, text.end());
        char* end = nullptr;
        mask = static_cast<uint32_t>(std::strtoul(digits.c_str(), &end, 16));
        return !digits.empty() && end == digits.c_str() + digits.size();
    }
    if (text.empty() || text.size() % 2 != 0) return false;
    for (std::size_t i = 0; i < text.size(); i += 2) {
        bool known = false;
        for (const RightCode& code : kRightCodes)
            if (text.compare(i, 2, code.code) == 0) {
                mask |= code.mask;
                known = true;
            }
        if (!known) return false;
    }
    return true;
}

// The fields of one ACE "type;flags;rights;object;inherited object;sid".
bool AceGrantsChangeToUntrusted(const Text& ace, bool& readable) {
    std::vector<Text> fields(1);
    for (char16_t c : ace) {
        if (c == u';')
            fields.emplace_back();
        else
            fields.back() += c;
    }
    readable = fields.size() == 6;
    if (!readable) return false;
    const Text& type = fields[0];
    if (type == u"D" || type == u"OD") return false;  // a deny takes nothing away from this decision's worst case
    uint32_t mask = 0;
    readable = (type == u"A" || type == u"OA") && ReadRights(fields[2], mask);
    if (!readable) return false;
    const bool inheritOnly = fields[1].find(u"IO") != Text::npos;  // for objects made below, not this one
    return !inheritOnly && (mask & kChangeRights) != 0 && !IsTrusted(fields[5]);
}

// The text of one part ("O:", "G:", "D:", "S:") up to the next one: a part
// begins with its letter and a colon outside the entries' parentheses.
Text Part(const Text& sddl, char16_t letter) {
    std::vector<std::size_t> starts;  // the letters' positions
    int depth = 0;
    for (std::size_t i = 1; i < sddl.size(); ++i) {
        depth += sddl[i] == u'(' ? 1 : sddl[i] == u')' ? -1 : 0;
        if (depth == 0 && sddl[i] == u':') starts.push_back(i - 1);
    }
    for (std::size_t k = 0; k < starts.size(); ++k) {
        if (sddl[starts[k]] != letter) continue;
        const std::size_t end = k + 1 < starts.size() ? starts[k + 1] : sddl.size();
        return sddl.substr(starts[k] + 2, end - starts[k] - 2);
    }
    return Text();
}

}  // namespace

bool IsProtectedSddl(const Text& sddl) {
    if (!IsTrusted(Part(sddl, u'O'))) return false;
    const Text dacl = Part(sddl, u'D');
    const std::size_t first = dacl.find(u'(');
    if (first == Text::npos) return false;  // no entry, or a null DACL ("NO_ACCESS_CONTROL")
    for (std::size_t open = first; open != Text::npos; open = dacl.find(u'(', open + 1)) {
        const std::size_t close = dacl.find(u')', open);
        if (close == Text::npos) return false;
        bool readable = false;
        if (AceGrantsChangeToUntrusted(dacl.substr(open + 1, close - open - 1), readable) || !readable) return false;
    }
    return true;
}
