#pragma once
// ENet doubles a reliable command's retransmission timeout at every loss, without end. On a link
// that loses a fifth of its datagrams, four losses in a row come often enough, and they hold the
// command, and everything behind it on its channel, for several seconds. ENet has no call that
// bounds the doubling, so a host bounds it itself, on the commands ENet's header lays out, after
// each time it services its ENet host.
#include <enet/enet.h>

namespace corvax {

// Every reliable command waiting for its acknowledgement is retransmitted at least this often.
inline constexpr enet_uint32 kRetransmitCeilingMs = 250;

// Lowers the retransmission timeouts of every peer's unacknowledged commands to at most twice
// the peer's first timeout (its round trip plus four deviations), and never below
// kRetransmitCeilingMs; during the handshake, to kRetransmitCeilingMs itself.
void CapRetransmissionTimeouts(ENetHost& host);

}  // namespace corvax
