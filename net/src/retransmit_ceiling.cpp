#include "retransmit_ceiling.h"

#include <enet/time.h>

#include <algorithm>

namespace corvax {
namespace {

// The timeout ENet gives a command on its first sending.
enet_uint32 FirstTimeout(const ENetPeer& peer) {
  return peer.roundTripTime + 4 * peer.roundTripTimeVariance;
}

}  // namespace

void CapRetransmissionTimeouts(ENetHost& host) {
  for (ENetPeer* peer = host.peers; peer < host.peers + host.peerCount; ++peer) {
    ENetList& sent = peer->sentReliableCommands;
    if (enet_list_empty(&sent)) continue;
    const enet_uint32 ceiling = std::max(kRetransmitCeilingMs, 2 * FirstTimeout(*peer));
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
