#pragma once
#include <string>

// One ICMP echo of "ICMP SEND DATA" to a dotted IPv4 address, waiting at
// most 1,000 ms, no retry. 0 when the address itself answered; -1 no reply,
// an error reported as a reply (host unreachable, timed out) or a reply
// from another address, or a text that is no IPv4 address (nothing is sent
// then); -2 no ICMP handle; -3 no memory for the reply.
int SendIcmpEcho(const std::wstring& address);
