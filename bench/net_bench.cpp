// Socket-stream throughput on loopback, beside raw send and recv on the same kind of connection;
// replication of modified objects beside the same number of raw ENet packets.
#include <arpa/inet.h>
#include <benchmark/benchmark.h>
#include <enet/enet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include <corvax/net/net_module.h>

namespace {

constexpr int kBlock = 1 << 20;
constexpr int kChunk = 64 * 1024;

// A TCP connection on 127.0.0.1 whose far end a helper thread either drains or floods until the
// benchmark ends. The near end is `near`.
class LoopbackPair {
 public:
  explicit LoopbackPair(bool flood) {
    const int listener = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address);
    listen(listener, 1);
    socklen_t length = sizeof address;
    getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length);
    near = socket(AF_INET, SOCK_STREAM, 0);
    connect(near, reinterpret_cast<sockaddr*>(&address), sizeof address);
    far_ = accept(listener, nullptr, nullptr);
    close(listener);
    helper_ = std::thread([this, flood] {
      std::vector<char> buffer(kChunk, 'x');
      while (!stop_) {
        pollfd entry{far_, static_cast<short>(flood ? POLLOUT : POLLIN), 0};
        if (poll(&entry, 1, 50) != 1) continue;
        const ssize_t n = flood ? send(far_, buffer.data(), buffer.size(), MSG_NOSIGNAL)
                                : recv(far_, buffer.data(), buffer.size(), 0);
        if (n <= 0) return;
      }
    });
  }
  ~LoopbackPair() {
    stop_ = true;
    helper_.join();
    close(far_);
    close(near);
  }

  int near = -1;

 private:
  int far_ = -1;
  std::atomic<bool> stop_{false};
  std::thread helper_;
};

void RawSend(benchmark::State& state) {
  LoopbackPair pair(false);
  std::vector<char> block(kBlock, 'a');
  for (auto _ : state) {
    for (int sent = 0; sent < kBlock;) {
      sent += static_cast<int>(send(pair.near, block.data() + sent, kBlock - sent, MSG_NOSIGNAL));
    }
  }
  state.SetBytesProcessed(state.iterations() * kBlock);
}
BENCHMARK(RawSend)->Unit(benchmark::kMillisecond)->UseRealTime();

void SocketStreamWriteBlock(benchmark::State& state) {
  LoopbackPair pair(false);
  const auto stream = corvax::WrapSocket(corvax::TSocket::FromHandle(pair.near, 0), 0);
  std::vector<char> block(kBlock, 'a');
  for (auto _ : state) stream->WriteBlock(block.data(), kBlock);
  state.SetBytesProcessed(state.iterations() * kBlock);
}
BENCHMARK(SocketStreamWriteBlock)->Unit(benchmark::kMillisecond)->UseRealTime();

void RawRecv(benchmark::State& state) {
  LoopbackPair pair(true);
  std::vector<char> block(kBlock);
  for (auto _ : state) {
    for (int got = 0; got < kBlock;) {
      got += static_cast<int>(recv(pair.near, block.data() + got, kBlock - got, 0));
    }
  }
  state.SetBytesProcessed(state.iterations() * kBlock);
}
BENCHMARK(RawRecv)->Unit(benchmark::kMillisecond)->UseRealTime();

void SocketStreamReadBlock(benchmark::State& state) {
  LoopbackPair pair(true);
  const auto stream = corvax::WrapSocket(corvax::TSocket::FromHandle(pair.near, 0), 0);
  std::vector<char> block(kBlock);
  for (auto _ : state) stream->ReadBlock(block.data(), kBlock);
  state.SetBytesProcessed(state.iterations() * kBlock);
}
BENCHMARK(SocketStreamReadBlock)->Unit(benchmark::kMillisecond)->UseRealTime();

constexpr int kObjects = 100;

// Two replication hosts on 127.0.0.1, connected, with kObjects objects of the first one already
// copied to the second.
void ReplicationSync(benchmark::State& state) {
  corvax::StartupNetModule();
  const auto owner = corvax::RepNewHost();
  const auto copier = corvax::RepNewHost();
  owner->Listen(0, 0x7F000001);
  copier->Connect(0x7F000001, owner->LocalPort(), 0);
  std::vector<corvax::Ref<corvax::TGNetObject>> objects;
  for (int i = 0; i < kObjects; ++i) objects.push_back(corvax::RepNewObject(owner));
  while (copier->ObjectList()->Count() < kObjects) {
    corvax::RepSync(owner);
    corvax::RepSync(copier);
  }
  int value = 0;
  for (auto _ : state) {
    ++value;
    for (const auto& object : objects) corvax::RepSetInt(object, 0, value);
    corvax::RepSync(owner);
    int modified = 0;
    while (modified < kObjects) {
      corvax::RepSync(copier);
      modified += copier->ModifiedList()->Count();
    }
  }
  state.SetItemsProcessed(state.iterations() * kObjects);
  corvax::RepCloseHost(copier);
  corvax::RepCloseHost(owner);
}
BENCHMARK(ReplicationSync)->Unit(benchmark::kMicrosecond)->UseRealTime();

// The same traffic as raw ENet packets: one reliable 4-byte packet per object.
void RawEnetPackets(benchmark::State& state) {
  corvax::StartupNetModule();
  ENetAddress address{};
  enet_address_set_host(&address, "127.0.0.1");
  ENetHost* server = enet_host_create(&address, 32, 1, 0, 0);
  ENetHost* client = enet_host_create(nullptr, 32, 1, 0, 0);
  address.port = server->address.port;
  ENetPeer* peer = enet_host_connect(client, &address, 1, 0);
  ENetEvent event;
  bool connected = false;
  while (!connected) {
    while (enet_host_service(server, &event, 0) > 0) {
    }
    while (enet_host_service(client, &event, 0) > 0) {
      connected = connected || event.type == ENET_EVENT_TYPE_CONNECT;
    }
  }
  const unsigned char bytes[4] = {0x20, 0x01, 0x80, 0x01};
  for (auto _ : state) {
    for (int i = 0; i < kObjects; ++i) {
      enet_peer_send(peer, 0, enet_packet_create(bytes, sizeof bytes, ENET_PACKET_FLAG_RELIABLE));
    }
    enet_host_flush(client);
    int received = 0;
    while (received < kObjects) {
      while (enet_host_service(server, &event, 0) > 0) {
        if (event.type != ENET_EVENT_TYPE_RECEIVE) continue;
        enet_packet_destroy(event.packet);
        ++received;
      }
      enet_host_service(client, &event, 0);
    }
  }
  state.SetItemsProcessed(state.iterations() * kObjects);
  enet_host_destroy(client);
  enet_host_destroy(server);
}
BENCHMARK(RawEnetPackets)->Unit(benchmark::kMicrosecond)->UseRealTime();

constexpr int kRelayedPeers = 32;
constexpr int kObjectsPerPeer = 4;

// One host relaying for the most peers it takes, all on 127.0.0.1: every round each peer
// changes its objects, and the round ends when every peer holds every other peer's changes.
// hub_us is the time the relaying host spends in Sync per round.
void RelayFor32Peers(benchmark::State& state) {
  corvax::StartupNetModule();
  const auto hub = corvax::RepNewHost();
  hub->Listen(0, 0x7F000001);
  std::vector<corvax::Ref<corvax::TGNetHost>> peers;
  std::vector<corvax::Ref<corvax::TGNetObject>> objects;
  for (int i = 0; i < kRelayedPeers; ++i) {
    peers.push_back(corvax::RepNewHost());
    peers.back()->Connect(0x7F000001, hub->LocalPort(), 0);
    for (int j = 0; j < kObjectsPerPeer; ++j) objects.push_back(corvax::RepNewObject(peers.back()));
  }
  const auto syncAll = [&] {
    corvax::RepSync(hub);
    for (const auto& peer : peers) corvax::RepSync(peer);
  };
  const int everyObject = kRelayedPeers * kObjectsPerPeer;
  for (bool ready = false; !ready;) {
    syncAll();
    ready = hub->ObjectList()->Count() == everyObject;
    for (const auto& peer : peers) ready = ready && peer->ObjectList()->Count() == everyObject;
  }
  const int othersChanges = (kRelayedPeers - 1) * kObjectsPerPeer;
  std::vector<int> received(peers.size());
  double hubSeconds = 0;
  int value = 0;
  for (auto _ : state) {
    ++value;
    for (const auto& object : objects) corvax::RepSetInt(object, 0, value);
    for (const auto& peer : peers) corvax::RepSync(peer);
    std::fill(received.begin(), received.end(), 0);
    int hubReceived = 0;
    for (bool done = false; !done;) {
      const auto start = std::chrono::steady_clock::now();
      corvax::RepSync(hub);
      hubSeconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
      hubReceived += hub->ModifiedList()->Count();
      done = hubReceived == everyObject;
      for (std::size_t i = 0; i < peers.size(); ++i) {
        corvax::RepSync(peers[i]);
        received[i] += peers[i]->ModifiedList()->Count();
        done = done && received[i] == othersChanges;
      }
    }
  }
  state.SetItemsProcessed(state.iterations() * everyObject * (kRelayedPeers - 1));
  state.counters["hub_us"] =
      benchmark::Counter(hubSeconds * 1e6 / static_cast<double>(state.iterations()));
  for (const auto& peer : peers) corvax::RepCloseHost(peer);
  corvax::RepCloseHost(hub);
}
BENCHMARK(RelayFor32Peers)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
