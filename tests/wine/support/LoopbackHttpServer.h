#pragma once
// A tiny HTTP server on 127.0.0.1 for the HTTP check: it answers
// "/status/<code>" with that status (a 3xx points back to /status/500),
// closes every connection after one answer and keeps the request heads it
// received. "/silent" is never answered: its connection stays open until
// the client gives up or the server stops. Started by the constructor,
// stopped by the destructor.
#include <winsock2.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class CLoopbackHttpServer {
public:
    CLoopbackHttpServer();
    ~CLoopbackHttpServer();
    CLoopbackHttpServer(const CLoopbackHttpServer&) = delete;
    CLoopbackHttpServer& operator=(const CLoopbackHttpServer&) = delete;

    bool Started() const { return listener_ != INVALID_SOCKET; }
    unsigned short Port() const { return port_; }
    std::wstring Url(const std::wstring& path) const;
    // Request heads (every line with its line break, without the blank line) in the order received; a TLS
    // handshake is recorded as "TLS".
    std::vector<std::string> Requests() const;

private:
    void Serve();
    void Answer(SOCKET client);
    void HoldSilently(SOCKET client) const;

    bool winsock_ = false;
    SOCKET listener_ = INVALID_SOCKET;
    unsigned short port_ = 0;
    std::atomic<bool> stopping_{false};
    std::thread thread_;
    mutable std::mutex mutex_;
    std::vector<std::string> requests_;
};

// A loopback port on which nothing listens.
unsigned short ClosedLoopbackPort();
