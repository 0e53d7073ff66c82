// What a page has not: sockets, name lookup and replication hosts. Each call fails at once with
// its failure result and one line saying why; nothing waits.
#include <gtest/gtest.h>

#include <string>

#include <corvax/net/net_module.h>
#include <corvax/runtime/exceptions.h>
#include <corvax/stream/stream_module.h>

#include "loopback.h"
#include "socket_glue.h"

namespace corvax {
namespace {

using testing::kLoopback;

const std::string kNoTcp =
    "corvax: a web page cannot open TCP connections (http:: urls go through the browser's "
    "fetch)\n";
const std::string kNoUdp = "corvax: a web page has no UDP sockets\n";
const std::string kNoTransfer = "corvax: a web page has no sockets to send or receive on\n";

// A handle a program made up: no handle names a socket in a page.
constexpr int kMadeUpHandle = 5;

// What the call wrote to standard error.
template <class Call>
std::string Said(Call call) {
  ::testing::internal::CaptureStderr();
  call();
  return ::testing::internal::GetCapturedStderr();
}

class NoSockets : public ::testing::Test {
 protected:
  void SetUp() override { StartupNetModule(); }
};

TEST_F(NoSockets, NewSocketsAreNullAndSayWhy) {
  Ref<TSocket> socket;
  EXPECT_EQ(Said([&] { socket = SockNewTcp(); }), kNoTcp);
  EXPECT_FALSE(socket);
  EXPECT_EQ(Said([&] { socket = SockNewUdp(); }), kNoUdp);
  EXPECT_FALSE(socket);
}

TEST_F(NoSockets, TcpUrlsGiveNullWithOneLine) {
  Ref<TStream> stream;
  EXPECT_EQ(Said([&] { stream = OpenReadStream(u"tcp::127.0.0.1:7000"); }), kNoTcp);
  EXPECT_FALSE(stream);
  EXPECT_EQ(Said([&] { stream = TSocketStream::ConnectTo(u"10.0.0.1", 80); }), kNoTcp);
  EXPECT_FALSE(stream);
  // A name is not looked up, so no connection is tried either.
  EXPECT_EQ(Said([&] { stream = OpenReadStream(u"tcp::example.org:80"); }),
            "corvax: cannot look up example.org: a web page cannot look up host names\n");
  EXPECT_FALSE(stream);
}

TEST_F(NoSockets, EveryCallOnAMadeUpHandleFailsAtOnceWithItsLine) {
  const Ref<TSocket> socket = TSocket::FromHandle(kMadeUpHandle, false);
  ASSERT_TRUE(socket);
  EXPECT_EQ(SockLocalPort(socket), 0);
  EXPECT_EQ(SockRemoteAddress(socket), 0);
  EXPECT_EQ(Said([&] { EXPECT_FALSE(SockBind(socket, 7000)); }),
            "corvax: a web page cannot bind sockets to ports\n");
  EXPECT_EQ(Said([&] { EXPECT_FALSE(SockListen(socket, 4)); }),
            "corvax: a web page cannot listen for connections\n");
  // No limit on the wait, and still no wait.
  EXPECT_EQ(Said([&] { EXPECT_FALSE(SockAccept(socket, -1)); }),
            "corvax: a web page cannot accept connections\n");
  EXPECT_EQ(Said([&] { EXPECT_FALSE(SockConnect(socket, kLoopback, 7000)); }), kNoTcp);
  char buffer[4] = {};
  EXPECT_EQ(Said([&] { EXPECT_EQ(socket->SendData("ping", 4, 0), 0); }), kNoTransfer);
  EXPECT_EQ(Said([&] { EXPECT_EQ(socket->ReceiveData(buffer, 4, 0), 0); }), kNoTransfer);
  EXPECT_EQ(SockBytesAvailable(socket), 0);
  // A socket that cannot be read is no connection: it reads as closed from then on.
  EXPECT_FALSE(SockIsConnected(socket));
  EXPECT_EQ(socket->Handle(), -1);
}

TEST_F(NoSockets, DatagramsCannotBeSentOrReceived) {
  char buffer[4] = {};
  int address = 0;
  int port = 0;
  EXPECT_EQ(
      Said([&] { EXPECT_EQ(netglue::SendTo(kMadeUpHandle, "ping", 4, 0, kLoopback, 7000), -1); }),
      kNoUdp);
  EXPECT_EQ(Said([&] {
              EXPECT_EQ(netglue::ReceiveFrom(kMadeUpHandle, buffer, 4, 0, &address, &port), -1);
            }),
            kNoUdp);
  EXPECT_EQ(address, 0);
  EXPECT_EQ(port, 0);
}

TEST_F(NoSockets, DottedAddressesNeedNoLookupButNamesFailWithALine) {
  EXPECT_EQ(Said([] { EXPECT_EQ(ResolveHostAddress(u"127.0.0.1"), kLoopback); }), "");
  EXPECT_EQ(Said([] { EXPECT_EQ(ResolveHostAddress(u"10.1.2.3"), 0x0A010203); }), "");
  EXPECT_EQ(Said([] { EXPECT_TRUE(ResolveHostAddresses(u"localhost").empty()); }),
            "corvax: cannot look up localhost: a web page cannot look up host names\n");
  EXPECT_EQ(Said([] { EXPECT_EQ(ResolveAddressName(kLoopback), u""); }),
            "corvax: cannot look up the name of 127.0.0.1: a web page cannot look up host "
            "names\n");
}

TEST_F(NoSockets, AReplicationHostIsNullAndSaysWhy) {
  Ref<TGNetHost> host;
  EXPECT_EQ(Said([&] { host = RepNewHost(); }),
            "corvax: a web page cannot replicate objects: ENet needs UDP sockets, which a page "
            "has not\n");
  EXPECT_FALSE(host);
  // As on the desktop, calls on the Null host throw.
  EXPECT_THROW(RepListen(host, 7000), TNullObjectException);
  EXPECT_THROW(RepConnect(host, u"127.0.0.1", 7000, 100), TNullObjectException);
  EXPECT_THROW(RepSync(host), TNullObjectException);
  EXPECT_THROW(RepNewObject(host), TNullObjectException);
}

}  // namespace
}  // namespace corvax
