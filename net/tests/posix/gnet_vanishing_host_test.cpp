#include <enet/enet.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <random>
#include <set>
#include <string>
#include <thread>

#include <corvax/net/net_module.h>

#include "retransmit_ceiling.h"
#include "support/bad_network.h"
#include "support/relayed_star.h"
#include "support/sample_objects.h"
#include "support/test_seed.h"

extern char** environ;

namespace corvax::testing {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

constexpr int kObjectsPerHost = 300;
constexpr int kInProcessHosts = 3;
constexpr int kVanishing = kInProcessHosts;
// ENet's handshake starts from a 500 ms retransmission timeout, doubled at every loss.
constexpr int kJoinMs = 10000;
constexpr int kSettleMs = 15000;
constexpr int kCheckEveryMs = 50;
// The hub gives up on a peer that acknowledges nothing for kDeadAfterMs. ENet looks when a
// retransmission falls due, at most one retransmission ceiling later; one ping interval may pass
// before anything is outstanding. The closes then cross the bad network to the others.
constexpr enet_uint32 kDeadAfterMs = 2000;
constexpr int kNoticeMs = kDeadAfterMs + kRetransmitCeilingMs + ENET_PEER_PING_INTERVAL;
constexpr int kClosesArriveMs = 3000;
constexpr int kComeBackMs = 5000;

// The owning peer program, killed with SIGKILL at the latest when the test ends.
class OwningPeer {
 public:
  OwningPeer(int port, int owner, int count, std::uint64_t seed) {
    const std::string args[] = {OWNING_PEER, std::to_string(port), std::to_string(owner),
                                std::to_string(count), std::to_string(seed % 1000000007)};
    char* argv[] = {const_cast<char*>(args[0].c_str()), const_cast<char*>(args[1].c_str()),
                    const_cast<char*>(args[2].c_str()), const_cast<char*>(args[3].c_str()),
                    const_cast<char*>(args[4].c_str()), nullptr};
    if (posix_spawn(&pid_, OWNING_PEER, nullptr, nullptr, argv, environ) != 0) pid_ = -1;
  }
  ~OwningPeer() { Kill(); }
  OwningPeer(const OwningPeer&) = delete;
  OwningPeer& operator=(const OwningPeer&) = delete;

  bool started() const { return pid_ > 0; }
  void Kill() {
    if (pid_ <= 0) return;
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
    pid_ = -1;
  }

 private:
  pid_t pid_ = -1;
};

int CountOwnedBy(const TGNetHost& host, int owner) {
  int count = 0;
  for (const Ref<Object>& item : *host.ObjectList()) {
    count += OwnerOf(*Cast<TGNetObject>(item)) == owner;
  }
  return count;
}

bool EveryHostHolds(const RelayedStar& star, int objects) {
  for (const auto& host : star.Hosts()) {
    if (host->ObjectList()->Count() != objects) return false;
  }
  return true;
}

// A host killed without a goodbye: the hub notices within the timeout it gives its peers, and
// every other host gets the dead host's objects as closed, then drops them. A host that takes
// its place later gets every live object, and the others get its objects.
TEST(GNetVanishingHost, IsNoticedItsObjectsCloseAndAHostThatComesBackSeesEveryLiveObject) {
  StartupNetModule();
  const std::uint64_t seed = TestSeed();
  SCOPED_TRACE(SeedNote(seed));
  std::mt19937 random(static_cast<std::mt19937::result_type>(seed));
  RelayedStar star(BadNetwork(), seed);
  for (int i = 1; i < kInProcessHosts; ++i) ASSERT_TRUE(star.Join(kJoinMs));
  std::vector<Ref<TGNetObject>> churning;
  for (int owner = 0; owner < kInProcessHosts; ++owner) {
    for (int number = 0; number < kObjectsPerHost; ++number) {
      const Ref<TGNetObject> object = RepNewObject(star.Hosts()[owner]);
      FillSampleObject(*object, owner, number, random);
      if (owner == 1) churning.push_back(object);
    }
  }
  OwningPeer peer(star.RelayPort(), kVanishing, kObjectsPerHost, seed);
  ASSERT_TRUE(peer.started());
  const int everyObject = (kInProcessHosts + 1) * kObjectsPerHost;
  // One host keeps changing objects, so that the hub always has something for the peer to
  // acknowledge.
  std::uniform_int_distribution<std::size_t> anyObject(0, churning.size() - 1);
  const auto churn = [&] { ChangeSampleObject(*churning[anyObject(random)], random); };
  ASSERT_TRUE(star.SyncUntil(
      [&] {
        churn();
        return star.Hub()->PeerList()->Count() == kInProcessHosts &&
               EveryHostHolds(star, everyObject);
      },
      kSettleMs));
  const Ref<TGNetPeer> vanishing = Cast<TGNetPeer>(star.Hub()->PeerList()->Last());
  enet_peer_timeout(vanishing->EnetPeer(), 0, kDeadAfterMs / 2, kDeadAfterMs);

  peer.Kill();
  const auto killed = Clock::now();
  auto noticed = Clock::time_point{};
  std::vector<std::set<int>> closed(star.Hosts().size());
  const bool gone = star.SyncUntil(
      [&] {
        churn();
        if (noticed == Clock::time_point{} &&
            star.Hub()->PeerList()->Count() == kInProcessHosts - 1) {
          noticed = Clock::now();
        }
        bool done = true;
        for (std::size_t h = 0; h < star.Hosts().size(); ++h) {
          const auto& host = star.Hosts()[h];
          for (const Ref<Object>& item : *host->ClosedList()) {
            const Ref<TGNetObject> object = Cast<TGNetObject>(item);
            EXPECT_EQ(OwnerOf(*object), kVanishing);
            EXPECT_EQ(object->State(), GNET_CLOSED);
            EXPECT_EQ(host->ObjectWithId(object->Id()), nullptr);
            closed[h].insert(object->GetInt(kSlotName));
          }
          done = done && closed[h].size() == static_cast<std::size_t>(kObjectsPerHost) &&
                 CountOwnedBy(*host, kVanishing) == 0;
        }
        return done;
      },
      kNoticeMs + kClosesArriveMs);
  ASSERT_NE(noticed, Clock::time_point{}) << "the hub never noticed";
  EXPECT_LE(noticed - killed, milliseconds(kNoticeMs));
  RecordProperty(
      "noticed_ms",
      static_cast<int>(std::chrono::duration_cast<milliseconds>(noticed - killed).count()));
  ASSERT_TRUE(gone);

  // Someone comes back in the vanished host's place, with new objects of its own.
  const Ref<TGNetHost> back = star.Join(kJoinMs);
  ASSERT_TRUE(back);
  for (int number = 0; number < kObjectsPerHost; ++number) {
    FillSampleObject(*RepNewObject(back), kVanishing, number, random);
  }
  ObjectView truth;
  for (const auto& host : star.Hosts()) truth.merge(LocalView(*host));
  const bool seen = star.SyncUntil(
      [&] {
        for (const auto& host : star.Hosts()) {
          if (ViewOf(*host) != truth) return false;
        }
        return true;
      },
      kComeBackMs, kCheckEveryMs);
  EXPECT_TRUE(seen) << "the host that came back lacks or differs in "
                    << DifferenceCount(ViewOf(*back), truth) << " objects";
}

}  // namespace
}  // namespace corvax::testing
