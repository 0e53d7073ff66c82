#pragma once
// A listening socket on 127.0.0.1 made through the framework's own socket layer.
#include <gtest/gtest.h>

#include <corvax/net/net_module.h>

#include "loopback.h"

namespace corvax::testing {

inline Ref<TSocket> ListenOnLoopback() {
  Ref<TSocket> server = SockNewTcp();
  EXPECT_EQ(SockBind(server, 0, kLoopback), 1);
  EXPECT_EQ(SockListen(server, 4), 1);
  EXPECT_EQ(SockLocalAddress(server), kLoopback);
  EXPECT_GT(SockLocalPort(server), 0);
  return server;
}

}  // namespace corvax::testing
