#pragma once
// How the replication fuzz targets read their input: a run of packets, each a length byte, a
// byte of flags and that many bytes of the packet (fewer where the input ends first). Bit 1 of
// the flags asks for a Sync after the packet; the other bits are each target's own.
#include <cstddef>
#include <cstdint>

#include <corvax/net/gnet_host.h>
#include <corvax/runtime/exceptions.h>

namespace corvax::fuzz {

inline constexpr int kSyncAfterPacket = 2;

// Calls each(flags, bytes, length) for every packet of the input, in order.
template <class Each>
void ForEachPacket(const std::uint8_t* data, std::size_t size, Each each) {
  constexpr std::size_t kPacketHeader = 2;
  std::size_t at = 0;
  while (at + kPacketHeader <= size) {
    const std::size_t length = data[at];
    const int flags = data[at + 1];
    at += kPacketHeader;
    const std::size_t taken = length < size - at ? length : size - at;
    each(flags, data + at, taken);
    at += taken;
  }
}

// Runs feed(), one more Sync, and closes the host. Nothing a peer sends may make the host throw,
// so an exception ends the run as a crash the fuzzer reports.
template <class Feed>
void RunHost(TGNetHost& host, Feed feed) {
  try {
    feed();
    host.Sync();
  } catch (const TException&) {
    __builtin_trap();
  }
  host.Close();
}

}  // namespace corvax::fuzz
