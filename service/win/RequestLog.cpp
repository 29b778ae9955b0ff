#include "service/win/RequestLog.h"

#include "framework/win/UniqueHandle.h"
#include "framework/win/WideText.h"
#include "service/RequestEvent.h"
#include "service/ServiceRegistration.h"

ReportEventCall reportEvent = ReportEventW;

namespace {

WORD EventType(SettingReply reply) {
    switch (reply) {
        case SettingReply::Applied: return EVENTLOG_INFORMATION_TYPE;
        case SettingReply::Refused: return EVENTLOG_WARNING_TYPE;
        default: return EVENTLOG_ERROR_TYPE;
    }
}

}  // namespace

void LogRequest(const Text& user, const uint8_t* message, std::size_t size, SettingReply reply) {
    CEventSource source(RegisterEventSourceW(nullptr, WPtr(kEventSourceName)));
    if (!source.Valid()) return;
    const std::array<Text, 3> strings = RequestEventStrings(user, message, size, reply);
    LPCWSTR texts[] = {WPtr(strings[0]), WPtr(strings[1]), WPtr(strings[2])};
    reportEvent(source.Get(), EventType(reply), 0, kRequestEventId, nullptr, 3, 0, texts, nullptr);
}
