#include <enet/enet.h>
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <thread>
#include <vector>

#include <corvax/net/net_module.h>

#include "loopback.h"

namespace corvax {
namespace {

using testing::kLoopback;
using Clock = std::chrono::steady_clock;

// Hosts on 127.0.0.1 in one process. Every wait syncs all hosts and gives up after a few
// seconds.
class GNetHosts : public ::testing::Test {
 protected:
  void SetUp() override { StartupNetModule(); }
  void TearDown() override {
    for (const auto& host : hosts_) RepCloseHost(host);
    if (raw_) enet_host_destroy(raw_);
  }

  Ref<TGNetHost> Server() {
    const Ref<TGNetHost> host = Track(RepNewHost());
    EXPECT_EQ(host->Listen(0, kLoopback), 1);
    EXPECT_GT(host->LocalPort(), 0);
    return host;
  }

  Ref<TGNetHost> ClientOf(const Ref<TGNetHost>& server) {
    const Ref<TGNetHost> client = Track(RepNewHost());
    const int serverPeers = server->PeerList()->Count();
    // No wait here: the server is serviced only by Sync, so the connection completes there.
    EXPECT_EQ(client->Connect(kLoopback, server->LocalPort(), 0), 0);
    EXPECT_TRUE(SyncUntil([&] {
      return client->PeerList()->Count() == 1 && server->PeerList()->Count() == serverPeers + 1;
    }));
    return client;
  }

  bool SyncUntil(const std::function<bool()>& done, int timeoutMs = 3000) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (Clock::now() < deadline) {
      for (const auto& host : hosts_) RepSync(host);
      if (done()) return true;
      ServiceRaw();
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return false;
  }

  // A bare ENet client that sends whatever bytes a test gives it.
  void ConnectRaw(const Ref<TGNetHost>& server) {
    raw_ = enet_host_create(nullptr, 1, 1, 0, 0);
    ASSERT_TRUE(raw_);
    ENetAddress address{};
    enet_address_set_host(&address, "127.0.0.1");
    address.port = static_cast<enet_uint16>(server->LocalPort());
    rawPeer_ = enet_host_connect(raw_, &address, 1, 0);
    ASSERT_TRUE(SyncUntil([&] { return rawConnected_; }));
  }
  void SendRaw(std::vector<std::uint8_t> bytes) {
    ENetPacket* packet = enet_packet_create(bytes.data(), bytes.size(), ENET_PACKET_FLAG_RELIABLE);
    ASSERT_GE(enet_peer_send(rawPeer_, 0, packet), 0);
    enet_host_flush(raw_);
  }
  void ServiceRaw() {
    if (!raw_) return;
    ::ENetEvent event;
    while (enet_host_service(raw_, &event, 0) > 0) {
      if (event.type == ENET_EVENT_TYPE_CONNECT) rawConnected_ = true;
      if (event.type == ENET_EVENT_TYPE_RECEIVE) {
        rawReceived_.emplace_back(event.packet->data,
                                  event.packet->data + event.packet->dataLength);
        enet_packet_destroy(event.packet);
      }
    }
  }

  std::vector<std::vector<std::uint8_t>> rawReceived_;

 private:
  Ref<TGNetHost> Track(Ref<TGNetHost> host) {
    hosts_.push_back(host);
    return host;
  }
  std::vector<Ref<TGNetHost>> hosts_;
  ENetHost* raw_ = nullptr;
  ENetPeer* rawPeer_ = nullptr;
  bool rawConnected_ = false;
};

Ref<TGNetObject> First(const Ref<TList>& list) {
  return Cast<TGNetObject>(list->First());
}

TEST_F(GNetHosts, CreateModifyAndCloseReachTheOtherHost) {
  const Ref<TGNetHost> server = Server();
  const Ref<TGNetHost> client = ClientOf(server);
  const Ref<TGNetObject> local = RepNewObject(server);
  RepSetInt(local, 0, 1234);
  RepSetFloat(local, 1, 0.1f);
  RepSetString(local, 2, u"name");

  Ref<TGNetObject> copy;
  ASSERT_TRUE(SyncUntil([&] { return (copy = First(RepObjects(client, 1))) != nullptr; }));
  EXPECT_TRUE(RepIsRemote(copy));
  EXPECT_EQ(RepObjectState(copy), GNET_CREATED);
  EXPECT_EQ(RepGetInt(copy, 0), 1234);
  EXPECT_NE(RepGetFloat(copy, 1), 0.1f);
  EXPECT_NEAR(RepGetFloat(copy, 1), 0.1f, 1e-4);
  EXPECT_EQ(RepGetFloat(local, 1), 0.1f);
  EXPECT_EQ(RepGetString(copy, 2), u"name");

  RepSetInt(local, 0, 99);
  ASSERT_TRUE(SyncUntil([&] { return !RepObjects(client, 2)->IsEmpty(); }));
  EXPECT_EQ(RepGetInt(copy, 0), 99);
  EXPECT_EQ(RepObjectState(copy), GNET_MODIFIED);

  RepCloseObject(local);
  ASSERT_TRUE(SyncUntil([&] { return !RepObjects(client, 3)->IsEmpty(); }));
  EXPECT_EQ(RepObjectState(copy), GNET_CLOSED);
  RepSync(client);
  EXPECT_TRUE(RepObjects(client, 0)->IsEmpty());
  EXPECT_TRUE(RepObjects(server, 0)->IsEmpty());
}

TEST_F(GNetHosts, AStarRelaysObjectsMessagesAndDisconnects) {
  const Ref<TGNetHost> server = Server();
  const Ref<TGNetHost> a = ClientOf(server);
  const Ref<TGNetObject> ofA = RepNewObject(a);
  RepSetInt(ofA, 3, 7);
  ASSERT_TRUE(SyncUntil([&] { return !RepObjects(server, 1)->IsEmpty(); }));

  // A peer that joins later gets the objects the server holds, its own and relayed ones.
  const Ref<TGNetObject> ofServer = RepNewObject(server);
  RepSync(server);
  const Ref<TGNetHost> b = ClientOf(server);
  ASSERT_TRUE(SyncUntil([&] { return RepObjects(b, 0)->Count() == 2; }));
  Ref<TGNetObject> copyOfA;
  for (const Ref<Object>& item : *RepObjects(b, 0)) {
    const Ref<TGNetObject> object = Cast<TGNetObject>(item);
    if (RepGetInt(object, 3) == 7) copyOfA = object;
  }
  ASSERT_TRUE(copyOfA);

  RepSetInt(ofA, 3, 8);
  ASSERT_TRUE(SyncUntil([&] { return RepGetInt(copyOfA, 3) == 8; }));

  // B writes to A's object through its copy: the message travels to the owner, A.
  const Ref<TGNetObject> message = RepNewMessage(b);
  RepSetString(message, 0, u"hello A");
  RepSendMessage(message, copyOfA);
  ASSERT_TRUE(SyncUntil([&] { return !RepMessages(a)->IsEmpty(); }));
  const Ref<TGNetObject> received = First(RepMessages(a));
  EXPECT_EQ(RepGetString(received, 0), u"hello A");
  EXPECT_EQ(RepMessageTarget(received), ofA);
  EXPECT_TRUE(RepMessages(server)->IsEmpty());

  // A leaves: its objects close at the server and, relayed, at B.
  RepCloseHost(a);
  ASSERT_TRUE(SyncUntil([&] { return RepObjectState(copyOfA) == GNET_CLOSED; }));
  EXPECT_EQ(server->PeerList()->Count(), 1);
  RepSync(b);
  EXPECT_EQ(RepObjects(b, 0)->Count(), 1);
}

// One Sync of the relaying host takes in everything that has arrived and sends the relays on
// before it returns: the other client gets them without the relay syncing again.
TEST_F(GNetHosts, OneSyncTakesInAllThatArrivedAndRelaysItAtOnce) {
  constexpr int kObjects = 20;
  const Ref<TGNetHost> server = Server();
  const Ref<TGNetHost> a = ClientOf(server);
  const Ref<TGNetHost> b = ClientOf(server);
  for (int i = 0; i < kObjects; ++i) RepSetInt(RepNewObject(a), 0, i);
  RepSync(a);
  // Loopback delivers as the datagrams are sent; the pause only lets a busy machine catch up.
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  RepSync(server);
  EXPECT_EQ(RepObjects(server, 1)->Count(), kObjects);

  const auto deadline = Clock::now() + std::chrono::seconds(3);
  while (RepObjects(b, 0)->Count() < kObjects && Clock::now() < deadline) {
    RepSync(b);
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  EXPECT_EQ(RepObjects(b, 0)->Count(), kObjects);
}

TEST_F(GNetHosts, ConnectGivesUpAfterItsTimeOut) {
  int port;
  {
    const Ref<TGNetHost> gone = RepNewHost();
    gone->Listen(0, kLoopback);
    port = gone->LocalPort();
    RepCloseHost(gone);
  }
  const Ref<TGNetHost> host = RepNewHost();
  const auto start = Clock::now();
  EXPECT_EQ(host->Connect(kLoopback, port, 100), 0);
  EXPECT_LT(Clock::now() - start, std::chrono::seconds(2));
  EXPECT_EQ(RepConnect(host, u"", port, 100), 0);
  RepCloseHost(host);
  RepCloseHost(host);  // a second close does nothing
}

// A peer sending broken or unauthorised messages cannot crash a host, change objects it does
// not own, or get its messages relayed.
TEST_F(GNetHosts, MalformedPacketsAreDroppedAndNeverRelayed) {
  const Ref<TGNetHost> server = Server();
  const Ref<TGNetObject> owned = RepNewObject(server);  // id 1, no slots
  RepSync(server);
  const Ref<TGNetHost> watcher = ClientOf(server);
  ASSERT_TRUE(SyncUntil([&] { return RepObjects(watcher, 0)->Count() == 1; }));
  ConnectRaw(server);
  ASSERT_TRUE(SyncUntil([&] { return !rawReceived_.empty(); }));
  // An object with no slots is announced by the bare 2-byte header.
  EXPECT_EQ(rawReceived_[0], (std::vector<std::uint8_t>{0x10, 0x01}));

  const std::vector<std::vector<std::uint8_t>> hostile = {
      {0x10},                          // shorter than the header
      {0x10, 0x05, 0x20, 0x01},        // create whose record is cut short
      {0x10, 0x05, 0xE0, 0x01},        // create with an unknown slot type
      {0x20, 0x01, 0x80, 0x07},        // modify of the server's own object
      {0x30, 0x01},                    // close of the server's own object
      {0x20, 0x09, 0x80, 0x07},        // modify of an id never created
      {0x70, 0x01},                    // unknown message type
      {0x10, 0x00},                    // create under id 0
      {0x50, 0x01, 0x61, 0xFF, 0xFF},  // message whose string runs past the end
  };
  for (const auto& bytes : hostile) SendRaw(bytes);
  SendRaw({0x10, 0x05, 0x80, 42});  // a good create after them all
  SendRaw({0x10, 0x05});            // the same id again
  ASSERT_TRUE(SyncUntil([&] { return server->DroppedMessages() == 10; }));

  EXPECT_EQ(RepObjectState(owned), GNET_IN_STEP);
  EXPECT_EQ(RepGetInt(owned, 0), 0);
  EXPECT_EQ(RepObjects(server, 0)->Count(), 2);
  ASSERT_TRUE(SyncUntil([&] { return RepObjects(watcher, 0)->Count() == 2; }));
  Ref<TGNetObject> relayed = Cast<TGNetObject>(RepObjects(watcher, 0)->Last());
  EXPECT_EQ(RepGetInt(relayed, 0), 42);

  SendRaw({0x20, 0x05, 0x80, 43});
  ASSERT_TRUE(SyncUntil([&] { return RepGetInt(relayed, 0) == 43; }));
  EXPECT_EQ(server->DroppedMessages(), 10);
}

// Peers that send packets straight in, as Sync hands them over; what the host relays to them
// goes nowhere.
TEST(GNetReceive, PeersThatUseUpTheIdsHaveTheirCreatesDroppedNotThrown) {
  StartupNetModule();
  const Ref<TGNetHost> host = TGNetHost::Create();
  const Ref<TGNetPeer> greedy = host->AddPeer(nullptr);
  const Ref<TGNetPeer> late = host->AddPeer(nullptr);
  for (int wireId = 1; wireId < TGNetPeer::kIdCount; ++wireId) {
    const std::uint8_t create[2] = {static_cast<std::uint8_t>(0x10 | wireId >> 8),
                                    static_cast<std::uint8_t>(wireId & 0xFF)};
    host->ReceivePacket(greedy, create, sizeof create);
  }
  EXPECT_EQ(host->ObjectList()->Count(), TGNetHost::kIdCount - 1);
  const std::uint8_t create[2] = {0x10, 0x01};
  EXPECT_NO_THROW(host->ReceivePacket(late, create, sizeof create));
  EXPECT_EQ(host->DroppedMessages(), 1);
  EXPECT_EQ(host->ObjectList()->Count(), TGNetHost::kIdCount - 1);
  EXPECT_NO_THROW(host->Sync());
  // A program that asks for an id itself is still told plainly.
  EXPECT_THROW(host->NewObject(), TThrownString);
  host->Close();
}

}  // namespace
}  // namespace corvax
