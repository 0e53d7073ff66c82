#include <gtest/gtest.h>

#include <string>

#include <corvax/net/net_module.h>

#include "support/relayed_star.h"

namespace corvax::testing {
namespace {

// An unanswered handshake fails after 5 s with at most 21 connect requests sent (one every
// 250 ms); losing 24 loses every one of the first attempt and the first few of the next.
constexpr int kLostRequests = 24;
// The first attempt fails at 5 s and the next gets through within a second; the bound
// leaves room for a loaded machine but not for a host that stopped trying.
constexpr int kJoinMs = 30000;

TEST(GNetJoinRetry, AHostWhoseFirstAttemptIsLostStillJoinsAndSaysSo) {
  StartupNetModule();
  LinkFaults faults;
  faults.lostFirstToTarget = kLostRequests;
  RelayedStar star(faults, 0);
  ::testing::internal::CaptureStderr();
  const Ref<TGNetHost> member = star.Join(kJoinMs);
  const std::string said = ::testing::internal::GetCapturedStderr();
  ASSERT_TRUE(member);
  EXPECT_NE(said.find("GNet connection to 127.0.0.1:" + std::to_string(star.RelayPort()) +
                      " failed; trying again in 250 ms\n"),
            std::string::npos)
      << said;
  EXPECT_GE(star.Relay().counts().dropped, kLostRequests);
  // Joined once: the hub holds one peer, not one per attempt.
  EXPECT_EQ(star.Hub()->PeerList()->Count(), 1);
}

}  // namespace
}  // namespace corvax::testing
