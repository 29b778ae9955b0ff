#include "switching/win/HttpCheck.h"

#include <windows.h>
#include <wininet.h>

#include <memory>
#include <new>

#include "framework/win/Event.h"
#include "framework/win/InternetHandle.h"
#include "framework/win/UniqueHandle.h"

namespace {

const wchar_t kUserAgent[] = L"Valtrecossin Wendlemarquist";
const wchar_t kContentType[] = L"Content-Type: application/x-www-form-urlencoded";
constexpr DWORD kRequestFlags = INTERNET_FLAG_EXISTING_CONNECT | INTERNET_FLAG_NO_AUTO_REDIRECT;

struct UrlParts {
    std::wstring host;
    INTERNET_PORT port = 0;
    std::wstring object;  // path with its query
    bool secure = false;
};

bool SplitUrl(const std::wstring& url, UrlParts& parts) {
    URL_COMPONENTSW c{};
    c.dwStructSize = sizeof(c);
    c.dwHostNameLength = 1;  // non-zero: point into the URL
    c.dwUrlPathLength = 1;
    c.dwExtraInfoLength = 1;
    if (!InternetCrackUrlW(url.c_str(), 0, 0, &c) || !c.lpszHostName || c.dwHostNameLength == 0) return false;
    parts.host.assign(c.lpszHostName, c.dwHostNameLength);
    parts.port = c.nPort;  // the scheme's default when the URL names none
    if (c.lpszUrlPath) parts.object.assign(c.lpszUrlPath, c.dwUrlPathLength);
    if (c.lpszExtraInfo) parts.object.append(c.lpszExtraInfo, c.dwExtraInfoLength);
    parts.secure = c.nScheme == INTERNET_SCHEME_HTTPS;
    return true;
}

int RequestStatus(const std::wstring& url);

// One request on its own thread; owned jointly by the thread and the caller,
// so that a caller who stops waiting leaves the thread everything it uses.
struct PendingCheck {
    explicit PendingCheck(std::wstring u) : url(std::move(u)) {}

    const std::wstring url;
    int result = -1;
    CEvent done;
};

DWORD WINAPI RunPendingCheck(LPVOID parameter) {
    const std::unique_ptr<std::shared_ptr<PendingCheck>> check(static_cast<std::shared_ptr<PendingCheck>*>(parameter));
    (*check)->result = RequestStatus((*check)->url);
    (*check)->done.Set();
    return 0;
}

// False when the thread could not be started (nothing runs then).
bool StartPendingCheck(const std::shared_ptr<PendingCheck>& check) {
    auto* share = new (std::nothrow) std::shared_ptr<PendingCheck>(check);
    if (share == nullptr) return false;
    const CKernelHandle thread(CreateThread(nullptr, 0, RunPendingCheck, share, 0, nullptr));
    if (!thread.Valid()) {
        delete share;
        return false;
    }
    return true;
}

int CancellableStatus(const std::wstring& url, HANDLE cancel) {
    std::shared_ptr<PendingCheck> check(new (std::nothrow) PendingCheck(url));
    if (!check || check->done.Handle() == nullptr || !StartPendingCheck(check)) return -1;
    const HANDLE waits[] = {check->done.Handle(), cancel};
    if (WaitForMultipleObjects(2, waits, FALSE, INFINITE) != WAIT_OBJECT_0) return -1;
    return check->result;
}

}  // namespace

int SendHttpCheck(const std::wstring& url, HANDLE cancel) {
    return cancel == nullptr ? RequestStatus(url) : CancellableStatus(url, cancel);
}

namespace {

int RequestStatus(const std::wstring& url) {
    UrlParts parts;
    if (!SplitUrl(url, parts)) return -1;
    const CInternetHandle session(InternetOpenW(kUserAgent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!session.Valid()) return -1;
    const CInternetHandle connection(InternetConnectW(session.Get(), parts.host.c_str(), parts.port, nullptr,
                                                      nullptr, INTERNET_SERVICE_HTTP, 0, 0));
    if (!connection.Valid()) return -1;
    // An https address is fetched over TLS: a plain request to a TLS port
    // would fail on every network.
    const DWORD flags = kRequestFlags | (parts.secure ? INTERNET_FLAG_SECURE : 0);
    const CInternetHandle request(HttpOpenRequestW(connection.Get(), L"GET",
                                                   parts.object.empty() ? nullptr : parts.object.c_str(), nullptr,
                                                   nullptr, nullptr, flags, 1));
    if (!request.Valid()) return -1;
    HttpAddRequestHeadersW(request.Get(), kContentType, static_cast<DWORD>(-1), HTTP_ADDREQ_FLAG_ADD_IF_NEW);
    if (!HttpSendRequestW(request.Get(), nullptr, 0, nullptr, 0)) return -1;
    DWORD status = 0;
    DWORD size = sizeof(status);
    if (!HttpQueryInfoW(request.Get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr))
        return -1;
    return status < 400 ? 0 : -1;
}

}  // namespace
