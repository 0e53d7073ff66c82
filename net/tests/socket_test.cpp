#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <thread>

#include <corvax/net/net_module.h>

#include "listening_socket.h"
#include "loopback.h"
#include "socket_glue.h"

namespace corvax {
namespace {

using testing::kLoopback;
using testing::ListenOnLoopback;

TEST(HostNames, FormatIPv4TreatsBytesAsUnsigned) {
  EXPECT_EQ(FormatIPv4(static_cast<int>(0xC0A80001)), u"192.168.0.1");
  EXPECT_EQ(FormatIPv4(-1), u"255.255.255.255");
  EXPECT_EQ(FormatIPv4(0), u"0.0.0.0");
}

TEST(HostNames, ResolvesDottedTextAndRejectsBadIndexesAndNames) {
  EXPECT_EQ(ResolveHostAddress(u"127.0.0.1", 0), kLoopback);
  EXPECT_EQ(ResolveHostAddress(u"127.0.0.1", -1), 0);
  EXPECT_EQ(ResolveHostAddress(u"127.0.0.1", 1), 0);
  EXPECT_TRUE(ResolveHostAddresses(u"").empty());
  EXPECT_TRUE(ResolveHostAddresses(String(u"127.0.0.1\0x", 11)).empty());
}

TEST(Socket, ConnectAcceptAndExchangeBothWays) {
  const Ref<TSocket> server = ListenOnLoopback();
  const Ref<TSocket> client = SockNewTcp();
  ASSERT_EQ(SockConnect(client, kLoopback, SockLocalPort(server)), 1);
  const Ref<TSocket> accepted = SockAccept(server, 2000);
  ASSERT_TRUE(accepted);
  EXPECT_EQ(SockRemotePort(client), SockLocalPort(server));
  EXPECT_EQ(SockRemoteAddress(client), kLoopback);
  EXPECT_EQ(SockRemotePort(accepted), SockLocalPort(client));
  client->SetNoDelay(1);

  EXPECT_EQ(client->SendData("ping", 4, 0), 4);
  char buffer[8] = {};
  EXPECT_EQ(accepted->ReceiveData(buffer, 4, 0), 4);
  EXPECT_STREQ(buffer, "ping");
  EXPECT_EQ(accepted->SendData("pong!", 5, 0), 5);
  EXPECT_EQ(client->ReceiveData(buffer, 5, 0), 5);
  EXPECT_EQ(std::string(buffer, 5), "pong!");

  SockClose(accepted);
  SockClose(client);
  SockClose(server);
}

TEST(Socket, UnreadDataKeepsAClosedPeerConnectedUntilRead) {
  const Ref<TSocket> server = ListenOnLoopback();
  const Ref<TSocket> client = SockNewTcp();
  ASSERT_EQ(SockConnect(client, kLoopback, SockLocalPort(server)), 1);
  const Ref<TSocket> accepted = SockAccept(server, 2000);
  ASSERT_TRUE(accepted);
  EXPECT_EQ(SockIsConnected(accepted), 1);  // quiet
  accepted->SendData("abc", 3, 0);
  SockClose(accepted);
  // Wait (bounded) until the bytes have arrived.
  for (int i = 0; i < 200 && SockBytesAvailable(client) < 3; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  EXPECT_EQ(SockBytesAvailable(client), 3);
  EXPECT_EQ(SockIsConnected(client), 1);
  char buffer[3];
  EXPECT_EQ(client->ReceiveData(buffer, 3, 0), 3);
  EXPECT_EQ(SockIsConnected(client), 0);
  EXPECT_EQ(client->Handle(), -1);
  EXPECT_EQ(SockRemotePort(client), -1);
  SockClose(server);
}

TEST(Socket, AcceptWithoutPendingConnectionReturnsNullAtOnce) {
  const Ref<TSocket> server = ListenOnLoopback();
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(SockAccept(server, 0));
  EXPECT_FALSE(SockAccept(server, 50));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
  SockClose(server);
}

TEST(Socket, ConnectToAClosedPortFails) {
  int port;
  {
    testing::LoopbackListener gone;  // a port that was free a moment ago and is closed now
    port = gone.port();
  }
  const Ref<TSocket> client = SockNewTcp();
  EXPECT_EQ(SockConnect(client, kLoopback, port), 0);
  SockClose(client);
}

TEST(Socket, CloseOfABorrowedHandleLeavesTheOSSocketOpen) {
  const int fd = testing::NewTcpSocket();
  const Ref<TSocket> borrowed = TSocket::FromHandle(fd, 0);
  ASSERT_TRUE(borrowed);
  SockClose(borrowed);
  EXPECT_EQ(borrowed->Handle(), -1);
  EXPECT_EQ(SockLocalAddress(borrowed), -1);
  EXPECT_TRUE(testing::IsOpenSocket(fd));
  SockClose(borrowed);  // closing again does nothing
  testing::CloseSocket(fd);
  EXPECT_FALSE(TSocket::FromHandle(-1, 1));
}

TEST(Socket, FailuresOnAClosedSocketAreQuiet) {
  const Ref<TSocket> socket = SockNewTcp();
  SockClose(socket);
  char byte = 0;
  EXPECT_EQ(socket->SendData(&byte, 1, 0), 0);
  EXPECT_EQ(socket->ReceiveData(&byte, 1, 0), 0);
  EXPECT_EQ(SockBind(socket, 0, kLoopback), 0);
  EXPECT_EQ(SockListen(socket, 1), 0);
  EXPECT_EQ(SockIsConnected(socket), 0);
  EXPECT_FALSE(SockAccept(socket, 0));
  EXPECT_EQ(SockBytesAvailable(socket), 0);
}

TEST(Socket, SendingToAClosedPeerRaisesNoSignal) {
  const Ref<TSocket> server = ListenOnLoopback();
  const Ref<TSocket> client = SockNewTcp();
  ASSERT_EQ(SockConnect(client, kLoopback, SockLocalPort(server)), 1);
  SockClose(SockAccept(server, 2000));
  const std::string block(65536, 'x');
  int lastSent = 1;
  for (int i = 0; i < 100 && lastSent > 0; ++i) {
    lastSent = client->SendData(block.data(), static_cast<int>(block.size()), 0);
  }
  EXPECT_EQ(lastSent, 0);  // and the process is still here
  SockClose(client);
  SockClose(server);
}

TEST(SocketGlue, UdpDatagramsCarryTheSendersEndpoint) {
  const Ref<TSocket> receiver = SockNewUdp();
  const Ref<TSocket> sender = SockNewUdp();
  ASSERT_EQ(SockBind(receiver, 0, kLoopback), 1);
  ASSERT_EQ(SockBind(sender, 0, kLoopback), 1);
  ASSERT_EQ(netglue::SendTo(sender->Handle(), "datagram", 8, 0, kLoopback, SockLocalPort(receiver)),
            8);
  int readable[1] = {receiver->Handle()};
  ASSERT_EQ(netglue::SelectSockets(readable, {}, {}, 2000), 1);
  char buffer[16];
  int address = 0, port = 0;
  EXPECT_EQ(netglue::ReceiveFrom(receiver->Handle(), buffer, 16, 0, &address, &port), 8);
  EXPECT_EQ(address, kLoopback);
  EXPECT_EQ(port, SockLocalPort(sender));
  SockClose(sender);
  SockClose(receiver);
}

}  // namespace
}  // namespace corvax
