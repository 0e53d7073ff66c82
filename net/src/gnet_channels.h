#pragma once
// Which ENet channel a replication message travels on. ENet delivers a channel's reliable
// packets in order, so one packet that needs many retransmissions holds back everything behind
// it on its channel. Spreading objects over channels by id keeps each object's messages in order
// (create, modifies, close, and a later object under the same id) while a held packet stalls
// only the objects that share its channel. A peer that asked for a single channel gets every
// message on channel 0.
#include <cstddef>
#include <cstdint>

namespace corvax {

// Channels a host asks for and accepts.
inline constexpr std::size_t kGNetChannels = 16;

// The id is the one the message carries on the wire.
inline std::uint8_t GNetChannelFor(int wireId, std::size_t channelCount) {
  return static_cast<std::uint8_t>(
      channelCount > 1 ? static_cast<std::size_t>(wireId) % channelCount : 0);
}

}  // namespace corvax
