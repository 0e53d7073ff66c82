#include <gtest/gtest.h>

#include <chrono>

#include <corvax/net/net_module.h>
#include <corvax/stream/stream_module.h>

#include "loopback.h"

namespace corvax {
namespace {

using testing::OneResponseServer;

class HttpStreamTest : public ::testing::Test {
 protected:
  void SetUp() override {
    StartupNetModule();
    SetHTTPTimeout(2000);
  }
  void TearDown() override { SetHTTPTimeout(30000); }
};

std::string Text(const std::vector<std::uint8_t>& bytes) {
  return std::string(bytes.begin(), bytes.end());
}

TEST_F(HttpStreamTest, GetSendsTheRequestAndReturnsTheBody) {
  OneResponseServer server(
      "HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n"
      "content-length: 11\r\n\r\nhello world");
  const Ref<TStream> body = OpenReadStream(server.url("/a/b.txt"));
  ASSERT_TRUE(body);
  EXPECT_EQ(body->Length(), 11);
  EXPECT_TRUE(StreamSocket(body));
  EXPECT_EQ(body->ReadChars(11), u"hello world");
  EXPECT_TRUE(body->AtEnd());
  body->Close();
  const std::string host = "127.0.0.1:" + std::to_string(server.port());
  EXPECT_EQ(server.request(), "GET /a/b.txt HTTP/1.0\r\nHost: " + host + "\r\n\r\n");
}

TEST_F(HttpStreamTest, BareHostAndTrailingSlashBothRequestTheRoot) {
  for (const std::string path : {"", "/"}) {
    OneResponseServer server("HTTP/1.1 200 OK\r\n\r\nroot page");
    EXPECT_EQ(Text(LoadBytes(server.url(path))), "root page");
    EXPECT_EQ(server.request().rfind("GET / HTTP/1.0\r\n", 0), 0u) << path;
  }
}

TEST_F(HttpStreamTest, WithoutContentLengthTheBodyRunsUntilClose) {
  const std::string body(50000, 'q');
  OneResponseServer server("HTTP/1.0 200 OK\r\nServer: test\r\n\r\n" + body);
  EXPECT_EQ(Text(LoadBytes(server.url("/big"))), body);
}

TEST_F(HttpStreamTest, BytesBeyondContentLengthAreNotPartOfTheBody) {
  OneResponseServer server("HTTP/1.0 200 OK\r\nContent-Length: 5\r\n\r\n12345trailing junk");
  EXPECT_EQ(Text(LoadBytes(server.url("/x"))), "12345");
}

TEST_F(HttpStreamTest, ErrorAndRedirectStatusesGiveNull) {
  for (const std::string status : {"404 Not Found", "500 Oops", "301 Moved", "100 Continue"}) {
    OneResponseServer server("HTTP/1.0 " + status +
                             "\r\nLocation: http://127.0.0.1/\r\n\r\nerror page");
    EXPECT_FALSE(OpenReadStream(server.url("/missing"))) << status;
  }
}

TEST_F(HttpStreamTest, MalformedHeadersGiveNull) {
  const std::string responses[] = {
      "",                                                     // closed at once
      "HTTP/1.0 200 OK\r\nContent-Le",                        // cut inside the header
      "HTTP/1.0 200 OK\r\nServer: x\r\n",                     // no blank line
      "hello world\r\n\r\nbody",                              // not HTTP
      std::string("HTTP/1.0 200 OK\r\nX: a\0b\r\n\r\n", 27),  // NUL in the header
      "HTTP/1.0 2x0 OK\r\n\r\n",                              // status not a number
      "HTTP/1.0 200 OK\r\nContent-Length: abc\r\n\r\n",       // length not a number
      "HTTP/1.0 200 OK\r\nContent-Length: -4\r\n\r\n",
      "HTTP/1.0 200 OK\r\nContent-Length: 99999999999\r\n\r\n",
      "HTTP/1.0 200 OK\r\nContent-Length: 3\r\nContent-Length: 4\r\n\r\nabcd",
      "HTTP/1.0 200 OK\r\nno colon here\r\n\r\n",
  };
  for (const std::string& response : responses) {
    OneResponseServer server(response);
    EXPECT_FALSE(OpenReadStream(server.url("/"))) << response;
  }
}

TEST_F(HttpStreamTest, OversizedHeaderGivesNull) {
  OneResponseServer server("HTTP/1.0 200 OK\r\nX: " + std::string(200000, 'a'));
  EXPECT_FALSE(OpenReadStream(server.url("/")));
}

TEST_F(HttpStreamTest, ABodyShorterThanItsContentLengthIsAReadError) {
  OneResponseServer server("HTTP/1.0 200 OK\r\nContent-Length: 100\r\n\r\nonly ten..");
  EXPECT_THROW(LoadBytes(server.url("/short")), TStreamReadException);
}

TEST_F(HttpStreamTest, AStalledServerTimesOut) {
  SetHTTPTimeout(200);
  const auto start = std::chrono::steady_clock::now();
  {
    OneResponseServer midHeader("HTTP/1.0 200 OK\r\nServ", 700);
    EXPECT_FALSE(OpenReadStream(midHeader.url("/")));
  }
  {
    OneResponseServer midBody("HTTP/1.0 200 OK\r\nContent-Length: 10\r\n\r\nabc", 700);
    EXPECT_THROW(LoadBytes(midBody.url("/")), TStreamReadException);
  }
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
}

TEST_F(HttpStreamTest, UrlsThatWouldAlterTheRequestGiveNull) {
  EXPECT_FALSE(OpenReadStream("http::127.0.0.1:1/a b"));
  EXPECT_FALSE(OpenReadStream("http::127.0.0.1:1/a\r\nX: y"));
  EXPECT_FALSE(OpenReadStream("http::127.0.0.1:notaport/"));
  int port;
  {
    testing::LoopbackListener gone;
    port = gone.port();
  }
  EXPECT_FALSE(OpenReadStream("http::127.0.0.1:" + std::to_string(port) + "/"));
}

}  // namespace
}  // namespace corvax
