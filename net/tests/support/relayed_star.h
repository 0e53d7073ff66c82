#pragma once
// Replication hosts in one process: a hub listening on 127.0.0.1 and members that join it
// through one LossyRelay, all synced by the same loop. Every wait is bounded.
#include <functional>
#include <memory>
#include <vector>

#include <corvax/net/gnet_host.h>

#include "lossy_relay.h"

namespace corvax::testing {

class RelayedStar {
 public:
  RelayedStar(const LinkFaults& faults, std::uint64_t seed);
  // Closes every host.
  ~RelayedStar();
  RelayedStar(const RelayedStar&) = delete;
  RelayedStar& operator=(const RelayedStar&) = delete;

  const Ref<TGNetHost>& Hub() const { return hosts_.front(); }
  // The hub first, then the members in the order they joined.
  const std::vector<Ref<TGNetHost>>& Hosts() const { return hosts_; }
  // Where hosts outside this process join the hub through the relay.
  int RelayPort() const { return relay_->Port(); }
  const LossyRelay& Relay() const { return *relay_; }

  // A new member connected to the hub through the relay, or Null when it did not get through
  // within the time.
  Ref<TGNetHost> Join(int timeoutMs);
  // One Sync of every host.
  void SyncAll();
  // Syncs every host, with a pause of a millisecond between rounds, until done is true (asked at
  // most every checkEveryMs) or the time is up; whether done came true.
  bool SyncUntil(const std::function<bool()>& done, int timeoutMs, int checkEveryMs = 0);

 private:
  std::vector<Ref<TGNetHost>> hosts_;
  std::unique_ptr<LossyRelay> relay_;
};

}  // namespace corvax::testing
