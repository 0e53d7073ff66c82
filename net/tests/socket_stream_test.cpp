#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include <corvax/net/net_module.h>
#include <corvax/stream/stream_module.h>

#include "loopback.h"

namespace corvax {
namespace {

using testing::kLoopback;

class SocketStreamTest : public ::testing::Test {
 protected:
  void SetUp() override { StartupNetModule(); }
  std::string TcpUrl(const std::string& scheme, int port) {
    return scheme + "::127.0.0.1:" + std::to_string(port);
  }
};

TEST_F(SocketStreamTest, TcpUrlStreamsTalkBothWays) {
  const Ref<TSocket> server = SockNewTcp();
  ASSERT_EQ(SockBind(server, 0, kLoopback), 1);
  ASSERT_EQ(SockListen(server, 4), 1);
  // The protocol name is matched whatever its case.
  const Ref<TStream> client = OpenReadStream(TcpUrl("TCP", SockLocalPort(server)));
  ASSERT_TRUE(client);
  const Ref<TSocketStream> served = WrapSocket(SockAccept(server, 2000), 1);
  ASSERT_TRUE(StreamSocket(served));
  EXPECT_EQ(SockRemotePort(StreamSocket(served)), SockLocalPort(StreamSocket(client)));

  client->WriteI32(-123456);
  client->WriteTextLine(u"hello over tcp");
  EXPECT_EQ(served->ReadI32(), -123456);
  EXPECT_EQ(served->ReadTextLine(), u"hello over tcp");
  served->WriteF64(2.5);
  EXPECT_EQ(client->ReadF64(), 2.5);
  EXPECT_EQ(client->Position(), -1);
  EXPECT_EQ(client->SeekTo(0), -1);
  served->WriteU8(7);
  EXPECT_FALSE(client->AtEnd());
  EXPECT_EQ(client->ReadU8(), 7);

  served->WriteChars(u"last");
  served->Close();  // owns its socket: the peer sees the end
  EXPECT_EQ(client->ReadChars(4), u"last");
  EXPECT_TRUE(client->AtEnd());
  EXPECT_FALSE(StreamSocket(client));  // reaching the end closed the stream
  SockClose(server);
}

TEST_F(SocketStreamTest, LoadBytesReadsUntilThePeerCloses) {
  const std::string payload(100000, 'z');
  testing::OneConnectionServer server([&](int fd) { testing::SendAll(fd, payload); });
  const auto bytes = LoadBytes(TcpUrl("tcp", server.port()));
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), payload);
}

TEST_F(SocketStreamTest, AtEndAnswersAtOnceOnAQuietConnection) {
  // The peer says nothing for a while, then closes.
  testing::OneConnectionServer server(
      [](int) { std::this_thread::sleep_for(std::chrono::milliseconds(1500)); });
  const Ref<TStream> client = OpenReadStream(TcpUrl("tcp", server.port()));
  ASSERT_TRUE(client);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(client->AtEnd());
  // Far below the peer's silence: AtEnd did not wait for it.
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1000));
  client->Close();
}

TEST_F(SocketStreamTest, APeerClosingWhileAReadWaitsEndsTheDataQuietly) {
  testing::OneConnectionServer server([](int fd) {
    testing::SendAll(fd, "ab");
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
  });
  const Ref<TStream> client = OpenReadStream(TcpUrl("tcp", server.port()));
  ASSERT_TRUE(client);
  EXPECT_EQ(client->ReadChars(2), u"ab");
  // Nothing is waiting yet, so the stream is not at its end; the read that follows meets the
  // close and gives the missing bytes as 0, like any stream's end of data.
  EXPECT_FALSE(client->AtEnd());
  EXPECT_EQ(client->ReadI32(), 0);
  EXPECT_TRUE(client->AtEnd());
  EXPECT_FALSE(StreamSocket(client));
}

TEST_F(SocketStreamTest, WrapWithoutOwnershipLeavesTheSocketOpen) {
  const Ref<TSocket> socket = SockNewTcp();
  const Ref<TSocketStream> stream = WrapSocket(socket, 0);
  stream->Close();
  EXPECT_GE(socket->Handle(), 0);
  EXPECT_TRUE(stream->AtEnd());
  SockClose(socket);
  EXPECT_FALSE(StreamSocket(OpenReadStream("incbin::nothing")));
}

TEST_F(SocketStreamTest, UnreachableOrMalformedTcpUrlsGiveNull) {
  int port;
  {
    testing::LoopbackListener gone;
    port = gone.port();
  }
  EXPECT_FALSE(OpenReadStream(TcpUrl("tcp", port)));
  EXPECT_FALSE(OpenReadStream("tcp::127.0.0.1:notaport"));
  EXPECT_FALSE(OpenReadStream("tcp::127.0.0.1:70000"));
  EXPECT_FALSE(OpenReadStream("tcp:::80"));
}

TEST(HostPort, ColonSeparatesThePortAndNoColonMeansPort80) {
  String host;
  EXPECT_EQ(SplitHostPort(u"example", host), 80);
  EXPECT_EQ(host, u"example");
  EXPECT_EQ(SplitHostPort(u"example:7000", host), 7000);
  EXPECT_EQ(host, u"example");
  EXPECT_EQ(SplitHostPort(u"example:", host), 0);
  EXPECT_EQ(SplitHostPort(u"example:0", host), 0);
  EXPECT_EQ(SplitHostPort(u"example:65536", host), 0);
  EXPECT_EQ(SplitHostPort(u"example:-1", host), 0);
  EXPECT_EQ(SplitHostPort(u"example:80x", host), 0);
}

}  // namespace
}  // namespace corvax
