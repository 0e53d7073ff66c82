// Replication messages as a host receives them from two peers. The input is a run of packets,
// each a length byte, a byte of flags (bit 0: which peer sent it, bit 1: Sync afterwards) and
// the packet's bytes.
#include <cstddef>
#include <cstdint>

#include <corvax/net/gnet_host.h>

#include "packet_run.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace corvax;
  // Peers without an ENet connection: what the host relays to them goes nowhere.
  const Ref<TGNetHost> host = TGNetHost::Create();
  const Ref<TGNetPeer> peers[2] = {host->AddPeer(nullptr), host->AddPeer(nullptr)};
  fuzz::RunHost(*host, [&] {
    fuzz::ForEachPacket(data, size, [&](int flags, const std::uint8_t* bytes, std::size_t length) {
      host->ReceivePacket(peers[flags & 1], bytes, length);
      if (flags & fuzz::kSyncAfterPacket) host->Sync();
    });
  });
  return 0;
}
