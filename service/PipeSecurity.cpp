#include "service/PipeSecurity.h"

namespace {

// FILE_GENERIC_READ | FILE_WRITE_DATA | FILE_WRITE_ATTRIBUTES. Not
// FILE_GENERIC_WRITE: it holds FILE_APPEND_DATA, which for a pipe is
// FILE_CREATE_PIPE_INSTANCE.
constexpr char16_t kClientRights[] = u"0x12018b";

}  // namespace

Text SettingPipeSddl() { return Text(u"D:P(A;;FA;;;SY)(A;;FA;;;BA)(A;;") + kClientRights + u";;;IU)"; }
