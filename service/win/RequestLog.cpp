#include "service/win/RequestLog.h"

#include <array>

#include "framework/win/ExclusiveLock.h"
#include "framework/win/UniqueHandle.h"
#include "framework/win/WideText.h"
#include "service/RequestEvent.h"
#include "service/RequestLogLimit.h"
#include "service/ServiceRegistration.h"

ReportEventCall reportEvent = ReportEventW;
TickCountCall tickCount = GetTickCount64;

namespace {

// The sessions' windows, shared by the threads that serve the pipe's
// instances; the clock is read under the lock too, so that the limit sees
// its times in order.
SRWLOCK limitLock = SRWLOCK_INIT;
CRequestLogLimit limit;

WORD EventType(SettingReply reply) {
    switch (reply) {
        case SettingReply::Applied: return EVENTLOG_INFORMATION_TYPE;
        case SettingReply::Refused:
        case SettingReply::NotPermitted:
        case SettingReply::Busy: return EVENTLOG_WARNING_TYPE;
        default: return EVENTLOG_ERROR_TYPE;
    }
}

// `bytes` as a SID when they are exactly one valid SID; the sub-authority
// count is checked against the size before the system reads any further.
PSID SidOf(const std::vector<uint8_t>& bytes) {
    constexpr std::size_t kSidHeaderSize = 8;
    if (bytes.size() < kSidHeaderSize || bytes.size() != GetSidLengthRequired(bytes[1])) return nullptr;
    const PSID sid = const_cast<uint8_t*>(bytes.data());
    return IsValidSid(sid) ? sid : nullptr;
}

template <std::size_t N>
void Report(WORD type, DWORD id, PSID user, const std::array<Text, N>& strings) {
    CEventSource source(RegisterEventSourceW(nullptr, WPtr(kEventSourceName)));
    if (!source.Valid()) return;
    LPCWSTR texts[N];
    for (std::size_t i = 0; i < N; ++i) texts[i] = WPtr(strings[i]);
    reportEvent(source.Get(), type, 0, id, user, static_cast<WORD>(N), 0, texts, nullptr);
}

void ReportLeftOut(const LeftOutRequests& leftOut) {
    Report(EVENTLOG_WARNING_TYPE, kLeftOutEventId, nullptr, LeftOutEventStrings(leftOut.sessionId, leftOut.count));
}

}  // namespace

void LogRequest(const RequestClient& client, const uint8_t* message, std::size_t size, SettingReply reply) {
    LogDecision decision;
    {
        CExclusiveLock hold(limitLock);
        decision = limit.Admit(client.sessionId, tickCount());
    }
    if (decision.leftOut > 0) ReportLeftOut({client.sessionId, decision.leftOut});
    if (decision.logged)
        Report(EventType(reply), kRequestEventId, SidOf(client.sid),
               RequestEventStrings(client.processId, client.sessionId, message, size, reply));
}

void LogLeftOutRequests() {
    std::vector<LeftOutRequests> owed;
    {
        CExclusiveLock hold(limitLock);
        owed = limit.TakeLeftOut();
    }
    for (const LeftOutRequests& leftOut : owed) ReportLeftOut(leftOut);
}

void LogSourceImported(const Text& source, const Text& sha256, std::size_t count) {
    Report(EVENTLOG_INFORMATION_TYPE, kSourceImportedEventId, nullptr, SourceImportedEventStrings(source, sha256, count));
}

void LogSourceRefused(const Text& source, const Text& message) {
    Report(EVENTLOG_WARNING_TYPE, kSourceRefusedEventId, nullptr, SourceRefusedEventStrings(source, message));
}

void LogDataNotProtected(const Text& dataFile) {
    Report(EVENTLOG_ERROR_TYPE, kDataNotProtectedEventId, nullptr, std::array<Text, 1>{EscapedForLog(dataFile)});
}
