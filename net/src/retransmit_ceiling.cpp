#include "retransmit_ceiling.h"

#include <enet/time.h>

#include <algorithm>

namespace corvax {
namespace {

// The timeout ENet gives a command on its first sending.
enet_uint32 FirstTimeout(const ENetPeer& peer) {
  return peer.roundTripTime + 4 * peer.roundTripTimeVariance;
}

// Until both ends have connected there is no measured round trip, only ENet's guess of 500 ms,
// and the connecting end already counts its silence: an answer to a connect request that is
// lost, and the retransmissions that should replace it, must not take seconds each.
enet_uint32 Ceiling(const ENetPeer& peer) {
  if (peer.state < ENET_PEER_STATE_CONNECTED) return kRetransmitCeilingMs;
  return std::max(kRetransmitCeilingMs, 2 * FirstTimeout(peer));
}

}  // namespace

void CapRetransmissionTimeouts(ENetHost& host) {
  for (ENetPeer* peer = host.peers; peer < host.peers + host.peerCount; ++peer) {
    ENetList& sent = peer->sentReliableCommands;
    if (enet_list_empty(&sent)) continue;
    const enet_uint32 ceiling = Ceiling(*peer);
    // ENet looks at its commands again only once the peer's next timeout falls due, so that is
    // moved up to the earliest of the lowered ones.
    enet_uint32 nextTimeout = 0;
    bool first = true;
    for (ENetListIterator node = enet_list_begin(&sent); node != enet_list_end(&sent);
         node = enet_list_next(node)) {
      // The list node is the command's first member.
      auto* command = reinterpret_cast<ENetOutgoingCommand*>(node);
      command->roundTripTimeout = std::min(command->roundTripTimeout, ceiling);
      const enet_uint32 due = command->sentTime + command->roundTripTimeout;
      if (first || ENET_TIME_LESS(due, nextTimeout)) nextTimeout = due;
      first = false;
    }
    peer->nextTimeout = nextTimeout;
  }
}

}  // namespace corvax
