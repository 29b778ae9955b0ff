#include "switching/win/IcmpEcho.h"

#include <winsock2.h>
#include <windows.h>
#include <iphlpapi.h>
#include <icmpapi.h>

#include <cstring>
#include <memory>
#include <new>

#include "framework/win/UniqueHandle.h"
#include "switching/CheckLogic.h"

namespace {

const char kRequestData[] = "ICMP SEND DATA";
constexpr WORD kRequestSize = sizeof(kRequestData) - 1;  // no terminator
constexpr DWORD kTimeoutMs = 1000;
// One reply with its copy of the data, and room for an ICMP error message.
constexpr DWORD kReplySize = sizeof(ICMP_ECHO_REPLY) + kRequestSize + 8;

// An ICMP handle from IcmpCreateFile.
struct IcmpHandleTraits {
    using Type = HANDLE;
    static Type Empty() { return INVALID_HANDLE_VALUE; }
    static bool Close(Type handle) { return IcmpCloseHandle(handle) != FALSE; }
};

// The address as inet_addr reads it; false for anything but a unicast
// IPv4 text, so that nothing is ever sent to the broadcast address.
bool ParseAddress(const std::wstring& text, IPAddr& address) {
    std::string narrow;
    for (wchar_t c : text) {
        if (c <= 0 || c > 0x7F) return false;
        narrow += static_cast<char>(c);
    }
    address = inet_addr(narrow.c_str());
    return address != INADDR_NONE;
}

}  // namespace

int SendIcmpEcho(const std::wstring& address) {
    IPAddr target = 0;
    if (!ParseAddress(address, target)) return -1;
    const CUniqueHandle<IcmpHandleTraits> icmp(IcmpCreateFile());
    if (!icmp.Valid()) return -2;
    std::unique_ptr<unsigned char[]> reply(new (std::nothrow) unsigned char[kReplySize]);
    if (!reply) return -3;
    std::memset(reply.get(), 0, kReplySize);
    char data[kRequestSize];
    std::memcpy(data, kRequestData, kRequestSize);
    const DWORD replies =
        IcmpSendEcho(icmp.Get(), target, data, kRequestSize, nullptr, reply.get(), kReplySize, kTimeoutMs);
    if (replies == 0) return -1;
    const auto* first = reinterpret_cast<const ICMP_ECHO_REPLY*>(reply.get());
    return checks::EchoReplyVerdict(first->Status, first->Address, target);
}
