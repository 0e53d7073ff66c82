#include "gnet_joins.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include <corvax/net/host_names.h>

namespace corvax {

int GNetJoins::Start(ENetHost& host, const ENetAddress& address, std::size_t channels) {
  Attempt attempt{lastId_ + 1, address, channels, nullptr, {}, kFirstRetryWait};
  attempt.peer = Connect(host, attempt);
  if (!attempt.peer) return 0;
  lastId_ = attempt.id;
  attempts_.push_back(attempt);
  return attempt.id;
}

ENetPeer* GNetJoins::Connect(ENetHost& host, const Attempt& attempt) const {
  ENetPeer* peer = enet_host_connect(&host, &attempt.address, attempt.channels, 0);
  // ENet would otherwise keep an unanswered handshake going for half a minute.
  if (peer) enet_peer_timeout(peer, 0, deadAfterMs_, deadAfterMs_);
  return peer;
}

ENetPeer* GNetJoins::PeerOf(int id) const {
  const auto found = std::find_if(attempts_.begin(), attempts_.end(),
                                  [&](const Attempt& a) { return a.id == id; });
  return found != attempts_.end() ? found->peer : nullptr;
}

bool GNetJoins::Joined(const ENetPeer* peer) {
  return std::erase_if(attempts_, [&](const Attempt& a) { return peer && a.peer == peer; }) > 0;
}

bool GNetJoins::Failed(const ENetPeer* peer) {
  const auto found = std::find_if(attempts_.begin(), attempts_.end(),
                                  [&](const Attempt& a) { return peer && a.peer == peer; });
  if (found == attempts_.end()) return false;
  found->peer = nullptr;
  found->retryAt = Clock::now() + found->wait;
  const std::string to =
      ToUtf8(FormatIPv4(static_cast<int>(ENET_NET_TO_HOST_32(found->address.host))));
  std::fprintf(stderr, "GNet connection to %s:%d failed; trying again in %lld ms\n", to.c_str(),
               found->address.port, static_cast<long long>(found->wait.count()));
  found->wait = std::min(found->wait * 2, kLongestRetryWait);
  return true;
}

void GNetJoins::RetryDue(ENetHost& host) {
  const Clock::time_point now = Clock::now();
  for (Attempt& attempt : attempts_) {
    // Without a free ENet peer the try waits for the next round.
    if (!attempt.peer && attempt.retryAt <= now) attempt.peer = Connect(host, attempt);
  }
}

}  // namespace corvax
