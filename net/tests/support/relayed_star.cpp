#include "relayed_star.h"

#include <chrono>
#include <thread>

#include <corvax/net/replication.h>

namespace corvax::testing {
namespace {

using Clock = std::chrono::steady_clock;
constexpr int kLoopback = 0x7F000001;

}  // namespace

RelayedStar::RelayedStar(const LinkFaults& faults, std::uint64_t seed) {
  const Ref<TGNetHost> hub = RepNewHost();
  hosts_.push_back(hub);
  hub->Listen(0, kLoopback);
  relay_ = std::make_unique<LossyRelay>(hub->LocalPort(), faults, seed);
}

RelayedStar::~RelayedStar() {
  for (const auto& host : hosts_) RepCloseHost(host);
}

Ref<TGNetHost> RelayedStar::Join(int timeoutMs) {
  const Ref<TGNetHost> member = RepNewHost();
  const int hubPeers = Hub()->PeerList()->Count();
  // No wait inside Connect: the hub is serviced only by Sync, so the connection completes here.
  member->Connect(kLoopback, RelayPort(), 0);
  hosts_.push_back(member);
  const bool joined = SyncUntil(
      [&] {
        return member->PeerList()->Count() == 1 && Hub()->PeerList()->Count() == hubPeers + 1;
      },
      timeoutMs);
  return joined ? member : nullptr;
}

void RelayedStar::SyncAll() {
  for (const auto& host : hosts_) RepSync(host);
}

bool RelayedStar::SyncUntil(const std::function<bool()>& done, int timeoutMs, int checkEveryMs) {
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  auto nextCheck = Clock::now();
  while (Clock::now() < deadline) {
    SyncAll();
    if (Clock::now() >= nextCheck) {
      if (done()) return true;
      nextCheck = Clock::now() + std::chrono::milliseconds(checkEveryMs);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return done();
}

}  // namespace corvax::testing
