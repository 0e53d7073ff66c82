#pragma once
/// @file
/// @ingroup net
/// What a host with a shared key tells the program when it refuses a peer's packet.
#include <corvax/runtime/object.h>
#include <corvax/runtime/string.h>

namespace corvax {

/// Why a packet was refused. The peer that sent it is disconnected at once; nothing it sent in
/// that packet is applied or relayed.
enum GNetRefusalReason {
  GNET_REFUSED_STRANGER = 1,   ///< a replication packet from a peer that has not proven the key
  GNET_REFUSED_WRONG_KEY = 2,  ///< a proof made with another key
  GNET_REFUSED_TAMPERED = 3,   ///< a sealed packet that does not authenticate, or is malformed
  GNET_REFUSED_REPLAYED = 4,   ///< a sealed packet whose counter was already used
};

/// One refusal: the event a Sync reports in TGNetHost::RefusedList.
class TGNetRefusal : public Object {
 public:
  /// A refusal of these fields.
  /// @param reason A GNetRefusalReason.
  /// @param ip The peer's IPv4 address, host byte order; 0 when unknown.
  /// @param port The peer's UDP port; 0 when unknown.
  TGNetRefusal(int reason, int ip, int port) : reason(reason), ip(ip), port(port) {}
  /// @return The line that says why, such as "GNet peer 127.0.0.1:4000 refused: wrong key".
  String ToString() const override;

  int reason;  ///< a GNetRefusalReason
  int ip;      ///< the peer's IPv4 address, host byte order; 0 when unknown
  int port;    ///< the peer's UDP port; 0 when unknown
};

}  // namespace corvax
