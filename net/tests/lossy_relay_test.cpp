#include <enet/enet.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <map>
#include <random>
#include <thread>
#include <vector>

#include <corvax/net/net_module.h>

#include "support/fault_schedule.h"
#include "support/lossy_relay.h"
#include "support/test_seed.h"

namespace corvax::testing {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

constexpr int kDatagrams = 400;
constexpr int kDraws = 20000;

// A UDP socket on 127.0.0.1 that sends and collects numbered datagrams.
class NumberSocket {
 public:
  NumberSocket() : socket_(enet_socket_create(ENET_SOCKET_TYPE_DATAGRAM)) {
    ENetAddress local{};
    local.host = ENET_HOST_TO_NET_32(0x7F000001);
    enet_socket_bind(socket_, &local);
    enet_socket_get_address(socket_, &local);
    port_ = local.port;
    enet_socket_set_option(socket_, ENET_SOCKOPT_NONBLOCK, 1);
    enet_socket_set_option(socket_, ENET_SOCKOPT_RCVBUF, 1 << 20);
  }
  ~NumberSocket() { enet_socket_destroy(socket_); }
  NumberSocket(const NumberSocket&) = delete;
  NumberSocket& operator=(const NumberSocket&) = delete;

  int port() const { return port_; }

  void SendTo(int port, std::uint32_t number) {
    ENetAddress to{};
    to.host = ENET_HOST_TO_NET_32(0x7F000001);
    to.port = static_cast<enet_uint16>(port);
    ENetBuffer buffer{};
    buffer.data = &number;
    buffer.dataLength = sizeof number;
    ASSERT_EQ(enet_socket_send(socket_, &to, &buffer, 1), static_cast<int>(sizeof number));
  }

  struct Arrival {
    std::uint32_t number;
    Clock::time_point at;
    int fromPort;
  };
  // Everything that arrives within the time.
  std::vector<Arrival> Collect(milliseconds within) {
    std::vector<Arrival> arrivals;
    const auto end = Clock::now() + within;
    while (Clock::now() < end) {
      std::uint32_t number = 0;
      ENetBuffer buffer{};
      buffer.data = &number;
      buffer.dataLength = sizeof number;
      ENetAddress from{};
      if (enet_socket_receive(socket_, &from, &buffer, 1) == sizeof number) {
        arrivals.push_back({number, Clock::now(), from.port});
        continue;
      }
      enet_uint32 condition = ENET_SOCKET_WAIT_RECEIVE;
      enet_socket_wait(socket_, &condition, 2);
    }
    return arrivals;
  }

 private:
  ENetSocket socket_;
  int port_ = 0;
};

class LossyRelayTest : public ::testing::Test {
 protected:
  void SetUp() override { StartupNetModule(); }
  const std::uint64_t seed_ = TestSeed();
  const ::testing::ScopedTrace trace_{__FILE__, __LINE__, SeedNote(seed_)};
};

TEST_F(LossyRelayTest, TheScheduleKeepsItsSharesAndDelaysAndRepeatsForTheSameSeed) {
  LinkFaults faults;
  faults.loss = 0.2;
  faults.duplicate = 0.05;
  faults.reorder = 0.1;
  faults.minDelayMs = 10;
  faults.maxDelayMs = 80;
  faults.reorderHoldMs = 30;
  FaultSchedule schedule(faults, seed_, Direction::kToTarget);
  FaultSchedule again(faults, seed_, Direction::kToTarget);
  FaultSchedule otherWay(faults, seed_, Direction::kFromTarget);
  int dropped = 0, duplicated = 0, reordered = 0, sameAsOtherWay = 0;
  for (int i = 0; i < kDraws; ++i) {
    const DatagramFate fate = schedule.Next();
    const DatagramFate repeat = again.Next();
    const DatagramFate other = otherWay.Next();
    ASSERT_EQ(fate.dropped, repeat.dropped);
    ASSERT_EQ(fate.copies, repeat.copies);
    ASSERT_EQ(fate.delayMs[0], repeat.delayMs[0]);
    ASSERT_EQ(fate.delayMs[1], repeat.delayMs[1]);
    sameAsOtherWay += fate.delayMs[0] == other.delayMs[0] && fate.delayMs[1] == other.delayMs[1];
    dropped += fate.dropped;
    duplicated += fate.copies == 2;
    reordered += fate.reordered;
    const int hold = fate.reordered ? faults.reorderHoldMs : 0;
    for (const int delay : fate.delayMs) {
      ASSERT_GE(delay, faults.minDelayMs + hold);
      ASSERT_LE(delay, faults.maxDelayMs + hold);
    }
  }
  // Binomial spread over 20000 draws is well under a percentage point.
  EXPECT_NEAR(dropped / double(kDraws), faults.loss, 0.015);
  EXPECT_NEAR(duplicated / double(kDraws), faults.duplicate, 0.01);
  EXPECT_NEAR(reordered / double(kDraws), faults.reorder, 0.01);
  EXPECT_LT(sameAsOtherWay, kDraws / 20);
}

// Numbered datagrams through the relay arrive as often as the schedule says (never when
// dropped, twice when duplicated) and no sooner than their delay.
TEST_F(LossyRelayTest, DropsDuplicatesAndDelaysDatagramsByTheSchedule) {
  LinkFaults faults;
  faults.loss = 0.2;
  faults.duplicate = 0.05;
  faults.minDelayMs = 0;
  faults.maxDelayMs = 80;
  NumberSocket sender, target;
  LossyRelay relay(target.port(), faults, seed_);
  ASSERT_GT(relay.Port(), 0);
  const Clock::time_point start = Clock::now();
  for (std::uint32_t i = 0; i < kDatagrams; ++i) sender.SendTo(relay.Port(), i);
  const auto arrivals = target.Collect(milliseconds(faults.maxDelayMs + 400));

  std::map<std::uint32_t, std::vector<Clock::time_point>> byNumber;
  for (const auto& arrival : arrivals) byNumber[arrival.number].push_back(arrival.at);
  FaultSchedule expected(faults, seed_, Direction::kToTarget);
  int dropped = 0;
  int duplicated = 0;
  for (std::uint32_t i = 0; i < kDatagrams; ++i) {
    const DatagramFate fate = expected.Next();
    const auto& times = byNumber[i];
    ASSERT_EQ(static_cast<int>(times.size()), fate.dropped ? 0 : fate.copies) << "datagram " << i;
    dropped += fate.dropped;
    duplicated += !fate.dropped && fate.copies == 2;
    if (times.empty()) continue;
    const int copies = fate.copies;
    const int soonest = *std::min_element(fate.delayMs, fate.delayMs + copies);
    const int latest = *std::max_element(fate.delayMs, fate.delayMs + copies);
    EXPECT_GE(times.front() - start, milliseconds(soonest)) << "datagram " << i;
    EXPECT_GE(times.back() - start, milliseconds(latest)) << "datagram " << i;
  }
  EXPECT_GT(dropped, 0);
  EXPECT_GT(duplicated, 0);
  const LossyRelay::Counts counts = relay.counts();
  EXPECT_EQ(counts.received, kDatagrams);
  EXPECT_EQ(counts.dropped, dropped);
  EXPECT_EQ(counts.duplicated, duplicated);
  EXPECT_EQ(counts.sent, static_cast<int>(arrivals.size()));
}

// With no delay otherwise, each held datagram arrives after the next one that was not held.
TEST_F(LossyRelayTest, ReorderedDatagramsArriveAfterTheOnesBehindThem) {
  LinkFaults faults;
  faults.reorder = 0.2;
  faults.reorderHoldMs = 60;
  NumberSocket sender, target;
  LossyRelay relay(target.port(), faults, seed_);
  for (std::uint32_t i = 0; i < kDatagrams; ++i) sender.SendTo(relay.Port(), i);
  const auto arrivals = target.Collect(milliseconds(faults.reorderHoldMs + 300));
  ASSERT_EQ(static_cast<int>(arrivals.size()), kDatagrams);
  std::map<std::uint32_t, std::size_t> position;
  for (std::size_t p = 0; p < arrivals.size(); ++p) position[arrivals[p].number] = p;

  FaultSchedule expected(faults, seed_, Direction::kToTarget);
  std::vector<bool> held;
  for (int i = 0; i < kDatagrams; ++i) held.push_back(expected.Next().reordered);
  int overtaken = 0;
  for (std::uint32_t i = 0; i < kDatagrams; ++i) {
    std::uint32_t next = i + 1;
    while (next < kDatagrams && held[next]) ++next;
    if (!held[i] || next == kDatagrams) continue;
    EXPECT_GT(position[i], position[next]) << "datagram " << i << " before " << next;
    ++overtaken;
  }
  EXPECT_GT(overtaken, 0);
  EXPECT_EQ(relay.counts().reordered, static_cast<int>(std::count(held.begin(), held.end(), true)));
}

// Each sender has its own way to the target, and the answers go back to the one that asked.
TEST_F(LossyRelayTest, AnswersGoBackToTheSenderTheyAnswer) {
  NumberSocket first, second, target;
  LossyRelay relay(target.port(), LinkFaults{}, seed_);
  first.SendTo(relay.Port(), 1);
  second.SendTo(relay.Port(), 2);
  const auto asked = target.Collect(milliseconds(200));
  ASSERT_EQ(asked.size(), 2u);
  EXPECT_NE(asked[0].fromPort, asked[1].fromPort);
  for (const auto& question : asked) target.SendTo(question.fromPort, question.number * 10);
  const auto toFirst = first.Collect(milliseconds(200));
  const auto toSecond = second.Collect(milliseconds(50));
  ASSERT_EQ(toFirst.size(), 1u);
  ASSERT_EQ(toSecond.size(), 1u);
  EXPECT_EQ(toFirst[0].number, 10u);
  EXPECT_EQ(toSecond[0].number, 20u);
  EXPECT_EQ(toFirst[0].fromPort, relay.Port());
}

}  // namespace
}  // namespace corvax::testing
