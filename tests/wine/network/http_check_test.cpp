#include <gtest/gtest.h>

#include "tests/wine/support/InternetSettings.h"
#include "tests/wine/support/LoopbackHttpServer.h"
#include "switching/win/HttpCheck.h"

namespace {

class HttpCheck : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(server_.Started()); }

    CInternetSettingsGuard direct_;  // no proxy between the check and the server
    CLoopbackHttpServer server_;
};

TEST_F(HttpCheck, SendsOneGetWithTheProgramsAgentAndHeader) {
    ASSERT_EQ(0, SendHttpCheck(server_.Url(L"/status/200?profile=1&x=%41")));
    const std::vector<std::string> requests = server_.Requests();
    ASSERT_EQ(1u, requests.size());
    const std::string& head = requests[0];
    EXPECT_EQ(0u, head.find("GET /status/200?profile=1&x=%41 HTTP/1.1\r\n")) << head;
    EXPECT_NE(std::string::npos, head.find("\r\nUser-Agent: Valtrecossin Wendlemarquist\r\n")) << head;
    EXPECT_NE(std::string::npos, head.find("\r\nContent-Type: application/x-www-form-urlencoded\r\n")) << head;
    EXPECT_NE(std::string::npos, head.find("\r\nHost: 127.0.0.1:" + std::to_string(server_.Port()) + "\r\n")) << head;
}

TEST_F(HttpCheck, StatusBelow400PassesAndRedirectionsAreNotFollowed) {
    EXPECT_EQ(0, SendHttpCheck(server_.Url(L"/status/302")));  // its target answers 500
    EXPECT_EQ(-1, SendHttpCheck(server_.Url(L"/status/404")));
    EXPECT_EQ(-1, SendHttpCheck(server_.Url(L"/status/500")));
    EXPECT_EQ(0, SendHttpCheck(server_.Url(L"/status/399")));
    EXPECT_EQ(-1, SendHttpCheck(server_.Url(L"/status/400")));
    const std::vector<std::string> requests = server_.Requests();
    ASSERT_EQ(5u, requests.size());
    EXPECT_EQ(0u, requests[0].find("GET /status/302 ")) << requests[0];
    EXPECT_EQ(0u, requests[1].find("GET /status/404 ")) << requests[1];
}

TEST_F(HttpCheck, UrlWithoutPathRequestsTheRoot) {
    EXPECT_EQ(0, SendHttpCheck(server_.Url(L"")));
    const std::vector<std::string> requests = server_.Requests();
    ASSERT_EQ(1u, requests.size());
    EXPECT_EQ(0u, requests[0].find("GET / HTTP/1.1\r\n")) << requests[0];
}

TEST_F(HttpCheck, UnreachableOrMalformedAddressFails) {
    const unsigned short closed = ClosedLoopbackPort();
    ASSERT_NE(0, closed);
    EXPECT_EQ(-1, SendHttpCheck(L"http://127.0.0.1:" + std::to_wstring(closed) + L"/status/200"));
    EXPECT_EQ(-1, SendHttpCheck(L"not a url"));
    EXPECT_EQ(-1, SendHttpCheck(L""));
    EXPECT_TRUE(server_.Requests().empty());
}

TEST_F(HttpCheck, HttpsAddressIsFetchedOverTls) {
    // The loopback server speaks plain HTTP: it sees a TLS handshake, and the
    // check fails, as it does for any https server that cannot be reached.
    const std::wstring url = L"https://127.0.0.1:" + std::to_wstring(server_.Port()) + L"/status/200";
    EXPECT_EQ(-1, SendHttpCheck(url));
    const std::vector<std::string> requests = server_.Requests();
    ASSERT_FALSE(requests.empty());
    EXPECT_EQ("TLS", requests[0]);
}

}  // namespace
