#include "service/win/ClientIdentity.h"

#include "framework/win/UniqueHandle.h"

ClientSessionCall clientSessionId = GetNamedPipeClientSessionId;

namespace {

bool IsMember(HANDLE token, WELL_KNOWN_SID_TYPE group) {
    BYTE sid[SECURITY_MAX_SID_SIZE];
    DWORD size = sizeof(sid);
    BOOL member = FALSE;
    return CreateWellKnownSid(group, nullptr, sid, &size) && CheckTokenMembership(token, sid, &member) && member;
}

std::vector<uint8_t> UserSid(HANDLE token) {
    BYTE buffer[sizeof(TOKEN_USER) + SECURITY_MAX_SID_SIZE];
    DWORD size = 0;
    if (!GetTokenInformation(token, TokenUser, buffer, sizeof(buffer), &size)) return {};
    const PSID sid = reinterpret_cast<TOKEN_USER*>(buffer)->User.Sid;
    if (!IsValidSid(sid)) return {};
    const uint8_t* bytes = static_cast<const uint8_t*>(sid);
    return std::vector<uint8_t>(bytes, bytes + GetLengthSid(sid));
}

// Network Configuration Operators in the full token that UAC linked to a
// filtered one, where the group is deny-only. Without SeTcbPrivilege the
// linked token comes at identification level, which is enough to ask.
bool LinkedTokenIsOperator(HANDLE token) {
    TOKEN_ELEVATION_TYPE type = TokenElevationTypeDefault;
    DWORD size = 0;
    if (!GetTokenInformation(token, TokenElevationType, &type, sizeof(type), &size) ||
        type != TokenElevationTypeLimited)
        return false;
    TOKEN_LINKED_TOKEN linked = {};
    if (!GetTokenInformation(token, TokenLinkedToken, &linked, sizeof(linked), &size)) return false;
    const CKernelHandle full(linked.LinkedToken);
    return IsMember(full.Get(), WinBuiltinNetworkConfigurationOperatorsSid);
}

}  // namespace

bool ReadPipeClientProcess(HANDLE pipe, RequestClient& client) {
    ULONG process = 0, session = 0;
    if (!GetNamedPipeClientProcessId(pipe, &process) || !clientSessionId(pipe, &session)) return false;
    client.processId = process;
    client.sessionId = session;
    return true;
}

bool ReadPipeClientToken(HANDLE pipe, RequestClient& client) {
    if (!ImpersonateNamedPipeClient(pipe)) return false;
    CKernelHandle token;
    const bool opened = OpenThreadToken(GetCurrentThread(), TOKEN_QUERY, TRUE, token.Receive()) != FALSE;
    // A thread that cannot take back the service's own identity must not
    // serve anyone else.
    if (!RevertToSelf()) ExitProcess(ERROR_ACCESS_DENIED);
    if (!opened) return false;
    client.sid = UserSid(token.Get());
    client.membership.interactive = IsMember(token.Get(), WinInteractiveSid);
    client.membership.operators = IsMember(token.Get(), WinBuiltinNetworkConfigurationOperatorsSid);
    client.membership.linkedOperators = LinkedTokenIsOperator(token.Get());
    return !client.sid.empty();
}
