#include "switching/ResultMessages.h"

#include <algorithm>

#include "resources/resource.h"

namespace {

struct BitLine {
    uint32_t bit;
    int stringId;
};

constexpr BitLine kStepMessages[] = {
    {kResultTcpIp, IDS_TCPIP_FAILED},
    {kResultProxy, IDS_PROXY_FAILED},
    {kResultPrinter, IDS_PRINTER_FAILED},
};

constexpr BitLine kCheckLines[] = {
    {kCheckAdapter, IDS_CHECK_ADAPTER}, {kCheckAddress, IDS_CHECK_ADDRESS}, {kCheckLinkLocal, IDS_CHECK_DHCP},
    {kCheckNoAddress, IDS_CHECK_DHCP},  {kCheckPing, IDS_CHECK_PING},       {kCheckHttp, IDS_CHECK_HTTP},
};

ResultMessage CheckMessage(uint32_t resultWord) {
    ResultMessage message;
    for (const BitLine& line : kCheckLines) {
        if ((resultWord & line.bit) == 0) continue;
        if (std::find(message.lineIds.begin(), message.lineIds.end(), line.stringId) != message.lineIds.end())
            continue;
        message.lineIds.push_back(line.stringId);
    }
    return message;
}

}  // namespace

std::vector<ResultMessage> ComposeResultMessages(uint32_t resultWord) {
    std::vector<ResultMessage> messages;
    if (resultWord == 0) {
        messages.push_back({{IDS_SWITCH_DONE}, ResultIcon::Information});
        return messages;
    }
    for (const BitLine& step : kStepMessages)
        if (resultWord & step.bit) messages.push_back({{step.stringId}, ResultIcon::Error});
    if (resultWord & kResultChecks) {
        ResultMessage checks = CheckMessage(resultWord);
        if (!checks.lineIds.empty()) messages.push_back(checks);
    }
    return messages;
}

Text JoinMessageLines(const std::vector<Text>& lines) {
    Text joined;
    for (const Text& line : lines) {
        if (!joined.empty()) joined += u"\r\n";
        joined += line;
    }
    return joined;
}
