#include "service/PipeSecurity.h"

namespace {

// FILE_GENERIC_READ | FILE_WRITE_DATA | FILE_WRITE_ATTRIBUTES. Not
// FILE_GENERIC_WRITE: it holds FILE_APPEND_DATA, which for a pipe is
// FILE_CREATE_PIPE_INSTANCE.
constexpr char16_t kClientRights[] = u"0x12018b";

bool IsOperators(const Text& choice) {
    const Text operators = u"operators";
    if (choice.size() != operators.size()) return false;
    for (std::size_t i = 0; i < choice.size(); ++i) {
        const char16_t c = choice[i] >= u'A' && choice[i] <= u'Z' ? static_cast<char16_t>(choice[i] + 32) : choice[i];
        if (c != operators[i]) return false;
    }
    return true;
}

}  // namespace

Text SettingPipeSddl(const Text& usersChoice) {
    const Text users = IsOperators(usersChoice) ? u"NO" : u"IU";
    return Text(u"D:P(A;;FA;;;SY)(A;;FA;;;BA)(A;;") + kClientRights + u";;;" + users + u")";
}
