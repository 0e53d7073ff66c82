// Socket behaviour that only POSIX handles have: handle numbers above what a select set holds.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>

#include <corvax/net/net_module.h>

#include "listening_socket.h"
#include "socket_glue.h"

namespace corvax {
namespace {

using testing::kLoopback;
using testing::ListenOnLoopback;

// Readiness waits work for any handle number, not only those a select set can hold.
TEST(SocketGlue, SelectWorksForHighHandleNumbers) {
  rlimit limit{};
  getrlimit(RLIMIT_NOFILE, &limit);
  constexpr int kHigh = 1500;
  if (limit.rlim_cur <= kHigh) {
    limit.rlim_cur = std::min<rlim_t>(limit.rlim_max, kHigh + 1);
    setrlimit(RLIMIT_NOFILE, &limit);
  }
  const Ref<TSocket> server = ListenOnLoopback();
  const Ref<TSocket> client = SockNewTcp();
  ASSERT_EQ(SockConnect(client, kLoopback, SockLocalPort(server)), 1);
  const Ref<TSocket> accepted = SockAccept(server, 2000);
  ASSERT_TRUE(accepted);
  if (dup2(accepted->Handle(), kHigh) != kHigh) GTEST_SKIP() << "no handle numbers that high";
  const Ref<TSocket> high = TSocket::FromHandle(kHigh, 1);
  EXPECT_EQ(SockIsConnected(high), 1);
  client->SendData("x", 1, 0);
  int readable[2] = {high->Handle(), server->Handle()};
  EXPECT_EQ(netglue::SelectSockets(readable, {}, {}, 2000), 1);
  EXPECT_EQ(readable[0], kHigh);
  EXPECT_EQ(readable[1], 0);
  SockClose(high);
  SockClose(accepted);
  SockClose(client);
  SockClose(server);
}

}  // namespace
}  // namespace corvax
