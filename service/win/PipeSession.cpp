#include "service/win/PipeSession.h"

#include <vector>

#include "service/win/ClientIdentity.h"
#include "service/win/PipeIo.h"
#include "service/win/RequestLog.h"

void ServeClient(HANDLE pipe, CRequestApplier& applier) {
    std::vector<uint8_t> message(kSettingRequestSize);
    DWORD size = 0;
    const DWORD read = ReadMessage(pipe, message.data(), static_cast<DWORD>(message.size()), size,
                                   applier.Stop(), kClientLimitMs);
    if (read != ERROR_SUCCESS && read != ERROR_MORE_DATA) return;
    const bool whole = read == ERROR_SUCCESS;
    const Text user = PipeClientUserName(pipe);
    const SettingReply reply = whole ? applier.Answer(message.data(), size) : SettingReply::Refused;

    uint8_t bytes[kSettingReplySize];
    EncodeSettingReply(reply, bytes);
    WriteMessage(pipe, bytes, sizeof(bytes), applier.Stop(), kClientLimitMs);
    LogRequest(user, message.data(), whole ? size : 0, reply);
    AwaitClientGone(pipe, applier.Stop());
}
