#include "tests/wine/support/LoopbackHttpServer.h"

#include <ws2tcpip.h>

#include <cstdlib>

namespace {

constexpr std::size_t kMaxHead = 16384;
constexpr DWORD kReceiveTimeoutMs = 10000;
constexpr DWORD kSilentPollMs = 500;  // how often a silent connection looks whether the server stops

sockaddr_in Loopback(unsigned short port) {
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = htons(port);
    return a;
}

unsigned short BoundPort(SOCKET s) {
    sockaddr_in a{};
    int size = sizeof(a);
    if (getsockname(s, reinterpret_cast<sockaddr*>(&a), &size) != 0) return 0;
    return ntohs(a.sin_port);
}

// Status code named by "GET /status/<code>..." (200 otherwise).
int StatusOf(const std::string& head) {
    const std::string marker = " /status/";
    const std::size_t at = head.find(marker);
    if (at == std::string::npos) return 200;
    return std::atoi(head.c_str() + at + marker.size());
}

const char* Reason(int status) {
    switch (status) {
    case 200: return "OK";
    case 302: return "Found";
    case 404: return "Not Found";
    case 500: return "Internal Server Error";
    default: return "Status";
    }
}

}  // namespace

CLoopbackHttpServer::CLoopbackHttpServer() {
    WSADATA data;
    winsock_ = WSAStartup(MAKEWORD(2, 2), &data) == 0;
    if (!winsock_) return;
    listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (listener_ == INVALID_SOCKET) return;
    const sockaddr_in any = Loopback(0);
    if (bind(listener_, reinterpret_cast<const sockaddr*>(&any), sizeof(any)) != 0 || listen(listener_, 8) != 0 ||
        (port_ = BoundPort(listener_)) == 0) {
        closesocket(listener_);
        listener_ = INVALID_SOCKET;
        return;
    }
    thread_ = std::thread([this] { Serve(); });
}

CLoopbackHttpServer::~CLoopbackHttpServer() {
    stopping_ = true;
    if (listener_ != INVALID_SOCKET) closesocket(listener_);  // ends the accept loop
    if (thread_.joinable()) thread_.join();
    if (winsock_) WSACleanup();
}

std::wstring CLoopbackHttpServer::Url(const std::wstring& path) const {
    return L"http://127.0.0.1:" + std::to_wstring(port_) + path;
}

std::vector<std::string> CLoopbackHttpServer::Requests() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return requests_;
}

void CLoopbackHttpServer::Serve() {
    for (;;) {
        const SOCKET client = accept(listener_, nullptr, nullptr);
        if (client == INVALID_SOCKET) return;
        Answer(client);
        closesocket(client);
    }
}

void CLoopbackHttpServer::Answer(SOCKET client) {
    const DWORD timeout = kReceiveTimeoutMs;
    setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout), sizeof(timeout));
    std::string head;
    char buffer[2048];
    while (head.find("\r\n\r\n") == std::string::npos && head.size() < kMaxHead) {
        const int n = recv(client, buffer, sizeof(buffer), 0);
        if (n <= 0) break;
        head.append(buffer, static_cast<std::size_t>(n));
        if (static_cast<unsigned char>(head[0]) == 0x16) break;  // a TLS handshake record
    }
    if (head.empty()) return;
    const bool tls = static_cast<unsigned char>(head[0]) == 0x16;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        requests_.push_back(tls ? std::string("TLS") : head.substr(0, head.find("\r\n\r\n") + 2));
    }
    if (tls) return;
    if (head.find(" /silent") != std::string::npos) return HoldSilently(client);
    const int status = StatusOf(head);
    std::string answer = "HTTP/1.1 " + std::to_string(status) + " " + Reason(status) + "\r\n";
    if (status >= 300 && status < 400) answer += "Location: /status/500\r\n";
    answer += "Content-Length: 0\r\nConnection: close\r\n\r\n";
    send(client, answer.data(), static_cast<int>(answer.size()), 0);
    shutdown(client, SD_SEND);
}

void CLoopbackHttpServer::HoldSilently(SOCKET client) const {
    const DWORD poll = kSilentPollMs;
    setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&poll), sizeof(poll));
    char byte;
    while (!stopping_) {
        const int n = recv(client, &byte, 1, 0);
        if (n == 0 || (n < 0 && WSAGetLastError() != WSAETIMEDOUT)) return;  // the client went away
    }
}

unsigned short ClosedLoopbackPort() {
    WSADATA data;
    if (WSAStartup(MAKEWORD(2, 2), &data) != 0) return 0;
    unsigned short port = 0;
    const SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s != INVALID_SOCKET) {
        const sockaddr_in any = Loopback(0);
        if (bind(s, reinterpret_cast<const sockaddr*>(&any), sizeof(any)) == 0) port = BoundPort(s);
        closesocket(s);  // bound, never listening, now closed
    }
    WSACleanup();
    return port;
}
