// Packets as a host with a shared key receives them from a peer that has proven the key. The
// input is a run of packets, each a length byte, a byte of flags and the packet's bytes. Flags:
// bit 0 seals the bytes first as the peer would, so that they reach the replication reader;
// bit 1 syncs afterwards; bits 2 and up are the channel.
#include <cstddef>
#include <cstdint>
#include <vector>

#include <corvax/net/net_module.h>

#include "gnet_keyed_link.h"
#include "packet_run.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace corvax;
  StartupNetModule();
  const std::vector<std::uint8_t> key(TGNetHost::kKeyBytes, 0x5A);
  GNetKey farKey{};
  farKey.fill(0x5A);
  const Ref<TGNetHost> host = TGNetHost::Create();
  host->SetKey(key);
  // A peer without an ENet connection: what the host sends it goes nowhere. Its far end is
  // played here, through the handshake.
  const Ref<TGNetPeer> peer = host->AddPeer(nullptr);
  GNetKeyedLink far(farKey, GNetKeyedLink::Role::kConnecting);
  fuzz::RunHost(*host, [&] {
    const std::vector<std::uint8_t> hello = far.Hello();
    host->ReceivePacket(peer, hello.data(), hello.size());
    const std::vector<std::uint8_t> hostHello = peer->KeyedLink()->Hello();
    const GNetKeyedLink::Outcome answer = far.Take(0, hostHello.data(), hostHello.size());
    host->ReceivePacket(peer, answer.reply.data(), answer.reply.size());
    fuzz::ForEachPacket(data, size, [&](int flags, const std::uint8_t* packet, std::size_t length) {
      const auto channel = static_cast<std::uint8_t>(flags >> 2);
      std::vector<std::uint8_t> bytes(packet, packet + length);
      if (flags & 1) bytes = far.Seal(channel, bytes);
      host->ReceivePacket(peer, bytes.data(), bytes.size(), channel);
      if (flags & fuzz::kSyncAfterPacket) host->Sync();
    });
  });
  return 0;
}
