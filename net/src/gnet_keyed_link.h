#pragma once
// One peer's session under a shared key. Both ends send a hello with a fresh random nonce when
// they connect; each answers the other's hello with a proof, a keyed hash of both nonces and of
// its role (the end that connected, or the end that accepted), so the key itself never travels
// and a proof cannot be reflected back at its maker. Both nonces and the key give each direction
// a key of its own; every replication packet after that travels sealed: authenticated and
// encrypted, under a counter that only goes up, so that a replayed packet is told apart.
//
// Packets of a keyed session start with a byte whose high 4 bits are 15, a message type the
// plain format never uses, so a host without a key drops them as it drops any unknown type.
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include <corvax/net/gnet_host.h>

namespace corvax {

// The shared key's length in bytes.
inline constexpr std::size_t kGNetKeyBytes = TGNetHost::kKeyBytes;
using GNetKey = std::array<std::uint8_t, kGNetKeyBytes>;

class GNetKeyedLink {
 public:
  enum class Role { kConnecting, kAccepting };
  // What became of a packet the peer sent.
  struct Outcome {
    // 0 when the packet was taken, else the GNetRefusalReason it was refused for.
    int refusal = 0;
    // A replication packet to apply; empty for handshake packets.
    std::vector<std::uint8_t> plain;
    bool deliver = false;
    // A handshake packet to send back at once.
    std::vector<std::uint8_t> reply;
    // True for the packet that proved the peer holds the key.
    bool nowProven = false;
  };

  // Draws this end's nonce.
  GNetKeyedLink(const GNetKey& key, Role role);
  ~GNetKeyedLink();
  GNetKeyedLink(const GNetKeyedLink&) = delete;
  GNetKeyedLink& operator=(const GNetKeyedLink&) = delete;

  // The hello this end sends when the connection opens.
  std::vector<std::uint8_t> Hello() const;
  // Takes one packet the peer sent on the channel.
  Outcome Take(std::uint8_t channel, const std::uint8_t* data, std::size_t size);
  // Whether the peer has shown that it holds the key; nothing is sent to it before.
  bool Proven() const { return proven_; }
  // The replication packet, sealed for the peer, to go on the channel. Only once Proven.
  std::vector<std::uint8_t> Seal(std::uint8_t channel, const std::vector<std::uint8_t>& plain);

 private:
  static constexpr std::size_t kNonceBytes = 32;
  static constexpr int kChannels = 256;
  using Nonce = std::array<std::uint8_t, kNonceBytes>;

  Outcome TakeHello(const std::uint8_t* data, std::size_t size);
  Outcome TakeProof(const std::uint8_t* data, std::size_t size);
  Outcome TakeSealed(std::uint8_t channel, const std::uint8_t* data, std::size_t size);
  // The proof the end in the role gives for this session's nonces.
  std::array<std::uint8_t, kNonceBytes> ProofOf(Role role) const;

  GNetKey key_;
  Role role_;
  Nonce localNonce_{};
  Nonce remoteNonce_{};
  bool helloTaken_ = false;
  bool proofTaken_ = false;
  bool proven_ = false;
  GNetKey sendKey_{};
  GNetKey receiveKey_{};
  std::uint64_t sendCounter_ = 0;
  // The highest counter taken on each channel; ENet keeps each channel's packets in order.
  std::array<std::uint64_t, kChannels> received_{};
};

}  // namespace corvax
