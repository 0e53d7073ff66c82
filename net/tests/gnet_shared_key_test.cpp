#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <thread>
#include <vector>

#include <corvax/net/net_module.h>

#include "gnet_keyed_link.h"
#include "loopback.h"

namespace corvax {
namespace {

using testing::kLoopback;
using Clock = std::chrono::steady_clock;

std::vector<std::uint8_t> KeyOf(std::uint8_t fill) {
  return std::vector<std::uint8_t>(TGNetHost::kKeyBytes, fill);
}

GNetKey AsKey(const std::vector<std::uint8_t>& bytes) {
  GNetKey key{};
  std::copy(bytes.begin(), bytes.end(), key.begin());
  return key;
}

// A keyed hub on 127.0.0.1 with one honest member holding the same key, each owning one object
// in step with the other, so that every test can check that the honest pair is unaffected.
class SharedKeyHosts : public ::testing::Test {
 protected:
  void SetUp() override {
    StartupNetModule();
    hub_ = Track(RepNewHost());
    ASSERT_TRUE(hub_->SetKey(KeyOf(7)));
    ASSERT_TRUE(hub_->Listen(0, kLoopback));
    honest_ = Join(KeyOf(7));
    ASSERT_TRUE(SyncUntil([&] { return honest_->PeerList()->Count() == 1; }));
    hubObject_ = RepNewObject(hub_);
    hubObject_->SetInt(0, 1);
    honestObject_ = RepNewObject(honest_);
    honestObject_->SetString(0, u"honest");
    ASSERT_TRUE(SyncUntil(
        [&] { return hub_->ObjectList()->Count() == 2 && honest_->ObjectList()->Count() == 2; }));
  }
  void TearDown() override {
    for (const auto& host : hosts_) RepCloseHost(host);
  }

  Ref<TGNetHost> Track(Ref<TGNetHost> host) {
    hosts_.push_back(host);
    return host;
  }
  // A host that connects to the hub with the key given (none when empty).
  Ref<TGNetHost> Join(const std::vector<std::uint8_t>& key) {
    const Ref<TGNetHost> host = Track(RepNewHost());
    if (!key.empty()) {
      EXPECT_TRUE(host->SetKey(key));
    }
    host->Connect(kLoopback, hub_->LocalPort(), 0);
    return host;
  }
  bool SyncUntil(const std::function<bool()>& done, int timeoutMs = 3000) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (Clock::now() < deadline) {
      for (const auto& host : hosts_) {
        RepSync(host);
        for (const Ref<Object>& item : *host->RefusedList()) {
          refusals_.push_back(Cast<TGNetRefusal>(item)->reason);
          refusedBy_.push_back(host);
        }
      }
      if (done()) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return false;
  }
  int HubRefusals(int reason) const {
    int count = 0;
    for (std::size_t i = 0; i < refusals_.size(); ++i)
      count += refusedBy_[i] == hub_ && refusals_[i] == reason;
    return count;
  }
  // The honest pair still replicates: a change on each side reaches the other.
  void ExpectHonestPairUnaffected() {
    hubObject_->SetInt(0, 2);
    honestObject_->SetString(0, u"still honest");
    const auto holds = [](const TGNetHost& host, const std::function<bool(TGNetObject&)>& match) {
      for (const Ref<Object>& item : *host.ObjectList()) {
        const Ref<TGNetObject> object = Cast<TGNetObject>(item);
        if (object->Owner() && match(*object)) return true;
      }
      return false;
    };
    EXPECT_TRUE(SyncUntil([&] {
      return holds(*honest_, [](TGNetObject& object) { return object.GetInt(0) == 2; }) &&
             holds(*hub_,
                   [](TGNetObject& object) { return object.GetString(0) == u"still honest"; });
    }));
  }

  std::vector<Ref<TGNetHost>> hosts_;
  Ref<TGNetHost> hub_;
  Ref<TGNetHost> honest_;
  Ref<TGNetObject> hubObject_;
  Ref<TGNetObject> honestObject_;
  std::vector<int> refusals_;
  std::vector<Ref<TGNetHost>> refusedBy_;
};

TEST(GNetSharedKey, OnlyAKeyOfThirtyTwoBytesIsTakenAndOnlyBeforeAnyPeer) {
  StartupNetModule();
  const Ref<TGNetHost> host = RepNewHost();
  EXPECT_FALSE(host->SetKey(std::vector<std::uint8_t>(16, 1)));
  EXPECT_FALSE(host->HasKey());
  EXPECT_TRUE(host->SetKey(KeyOf(1)));
  EXPECT_TRUE(host->HasKey());
  host->AddPeer(nullptr);
  EXPECT_FALSE(host->SetKey(KeyOf(2)));
  RepCloseHost(host);
}

TEST_F(SharedKeyHosts, HostsHoldingTheKeyReplicateAsWithout) {
  EXPECT_EQ(hub_->PeerList()->Count(), 1);
  EXPECT_TRUE(refusals_.empty());
  ExpectHonestPairUnaffected();
}

TEST_F(SharedKeyHosts, AStrangerWithoutTheKeyIsRefusedAndGetsNothing) {
  const Ref<TGNetHost> stranger = Join({});
  const Ref<TGNetObject> intruder = RepNewObject(stranger);
  intruder->SetString(0, u"intruder");
  ASSERT_TRUE(SyncUntil([&] { return HubRefusals(GNET_REFUSED_STRANGER) > 0; }));
  EXPECT_TRUE(SyncUntil([&] { return hub_->PeerList()->Count() == 1; }));
  EXPECT_EQ(hub_->ObjectList()->Count(), 2);
  EXPECT_EQ(honest_->ObjectList()->Count(), 2);
  // The hub's hello means nothing to a host without a key, and it gets no objects.
  EXPECT_EQ(stranger->ObjectList()->Count(), 1);
  ExpectHonestPairUnaffected();
  EXPECT_EQ(stranger->ObjectList()->Count(), 1);
}

TEST_F(SharedKeyHosts, APeerWithTheWrongKeyIsRefusedByBothEnds) {
  const Ref<TGNetHost> wrong = Join(KeyOf(8));
  RepNewObject(wrong)->SetInt(0, 99);
  ASSERT_TRUE(SyncUntil([&] { return HubRefusals(GNET_REFUSED_WRONG_KEY) > 0; }));
  const auto wrongRefused = [&] {
    for (std::size_t i = 0; i < refusals_.size(); ++i)
      if (refusedBy_[i] == wrong && refusals_[i] == GNET_REFUSED_WRONG_KEY) return true;
    return false;
  };
  EXPECT_TRUE(SyncUntil(wrongRefused));
  EXPECT_EQ(hub_->ObjectList()->Count(), 2);
  EXPECT_EQ(wrong->ObjectList()->Count(), 1);
  ExpectHonestPairUnaffected();
}

// A peer of the hub's whose far end is played here by a session of the same key, so that the
// test can send sealed packets of its own making: genuine, tampered and replayed.
class SealingPeer {
 public:
  SealingPeer(const Ref<TGNetHost>& hub, const std::vector<std::uint8_t>& key)
      : hub_(hub),
        peer_(hub->AddPeer(nullptr)),
        far_(AsKey(key), GNetKeyedLink::Role::kConnecting) {
    const auto hello = far_.Hello();
    hub_->ReceivePacket(peer_, hello.data(), hello.size());
    const auto answer = far_.Take(0, peer_->KeyedLink()->Hello().data(), 33);
    hub_->ReceivePacket(peer_, answer.reply.data(), answer.reply.size());
  }
  const Ref<TGNetPeer>& peer() const { return peer_; }
  // A create message for the far end's object 1 with one integer slot, sealed.
  std::vector<std::uint8_t> SealedCreate(int value, std::uint8_t channel = 1) {
    const std::vector<std::uint8_t> plain = {
        0x10, 0x01, 0x20, 0, 0, 0, static_cast<std::uint8_t>(value)};
    return far_.Seal(channel, plain);
  }
  void Send(const std::vector<std::uint8_t>& bytes, int channel = 1) {
    hub_->ReceivePacket(peer_, bytes.data(), bytes.size(), channel);
  }

 private:
  Ref<TGNetHost> hub_;
  Ref<TGNetPeer> peer_;
  GNetKeyedLink far_;
};

TEST_F(SharedKeyHosts, AGenuineSealedPacketIsApplied) {
  SealingPeer sealing(hub_, KeyOf(7));
  EXPECT_TRUE(sealing.peer()->Trusted());
  sealing.Send(sealing.SealedCreate(5));
  EXPECT_EQ(hub_->ObjectList()->Count(), 3);
  EXPECT_TRUE(SyncUntil([&] { return honest_->ObjectList()->Count() == 3; }));
}

TEST_F(SharedKeyHosts, ATamperedPacketIsRefusedAndNothingOfItIsApplied) {
  SealingPeer sealing(hub_, KeyOf(7));
  std::vector<std::uint8_t> sealed = sealing.SealedCreate(5);
  sealed[sealed.size() / 2] ^= 0x01;
  sealing.Send(sealed);
  EXPECT_EQ(hub_->ObjectList()->Count(), 2);
  ASSERT_EQ(hub_->RefusedList()->Count(), 1);
  EXPECT_EQ(Cast<TGNetRefusal>(hub_->RefusedList()->First())->reason, GNET_REFUSED_TAMPERED);
  EXPECT_FALSE(hub_->PeerList()->Contains(sealing.peer()));
  ExpectHonestPairUnaffected();
}

TEST_F(SharedKeyHosts, APacketMovedToAnotherChannelDoesNotAuthenticate) {
  SealingPeer sealing(hub_, KeyOf(7));
  sealing.Send(sealing.SealedCreate(5, 1), 2);
  EXPECT_EQ(hub_->ObjectList()->Count(), 2);
  ASSERT_EQ(hub_->RefusedList()->Count(), 1);
  EXPECT_EQ(Cast<TGNetRefusal>(hub_->RefusedList()->First())->reason, GNET_REFUSED_TAMPERED);
}

TEST_F(SharedKeyHosts, AReplayedPacketIsRefusedAndTheOriginalStaysAsItWas) {
  SealingPeer sealing(hub_, KeyOf(7));
  const std::vector<std::uint8_t> create = sealing.SealedCreate(5);
  sealing.Send(create);
  ASSERT_EQ(hub_->ObjectList()->Count(), 3);
  sealing.Send(create);
  ASSERT_EQ(hub_->RefusedList()->Count(), 1);
  const Ref<TGNetRefusal> refusal = Cast<TGNetRefusal>(hub_->RefusedList()->First());
  EXPECT_EQ(refusal->reason, GNET_REFUSED_REPLAYED);
  EXPECT_EQ(refusal->ToString(), u"GNet peer 0.0.0.0:0 refused: a packet was replayed");
  // Refusing the peer closes what it had, as its leaving would.
  EXPECT_EQ(hub_->ClosedList()->Count(), 1);
  EXPECT_FALSE(hub_->PeerList()->Contains(sealing.peer()));
  ExpectHonestPairUnaffected();
}

TEST_F(SharedKeyHosts, APlainPacketFromAPeerThatHasNotProvenTheKeyIsRefused) {
  const Ref<TGNetPeer> peer = hub_->AddPeer(nullptr);
  const std::uint8_t create[] = {0x10, 0x01, 0x81, 0x05};
  hub_->ReceivePacket(peer, create, sizeof create);
  EXPECT_EQ(hub_->ObjectList()->Count(), 2);
  ASSERT_EQ(hub_->RefusedList()->Count(), 1);
  EXPECT_EQ(Cast<TGNetRefusal>(hub_->RefusedList()->First())->reason, GNET_REFUSED_STRANGER);
  EXPECT_FALSE(peer->Trusted());
}

TEST(GNetKeyedLink, TheProofIsOfBothNoncesAndNeverTheKey) {
  StartupNetModule();
  const GNetKey key = AsKey(KeyOf(3));
  GNetKeyedLink connecting(key, GNetKeyedLink::Role::kConnecting);
  GNetKeyedLink accepting(key, GNetKeyedLink::Role::kAccepting);
  const auto fromConnecting = accepting.Take(0, connecting.Hello().data(), 33);
  const auto fromAccepting = connecting.Take(0, accepting.Hello().data(), 33);
  ASSERT_EQ(fromConnecting.refusal, 0);
  ASSERT_EQ(fromAccepting.refusal, 0);
  EXPECT_NE(fromConnecting.reply, fromAccepting.reply);
  for (const auto* packet : {&fromConnecting.reply, &fromAccepting.reply}) {
    EXPECT_EQ(std::search(packet->begin(), packet->end(), key.begin(), key.begin() + 8),
              packet->end());
  }
  EXPECT_TRUE(accepting.Take(0, fromAccepting.reply.data(), 33).nowProven);
  EXPECT_TRUE(connecting.Take(0, fromConnecting.reply.data(), 33).nowProven);
  // A proof sent back to the end that made it does not pass for the other end's.
  GNetKeyedLink again(key, GNetKeyedLink::Role::kAccepting);
  const auto reply = again.Take(0, connecting.Hello().data(), 33);
  EXPECT_EQ(again.Take(0, reply.reply.data(), 33).refusal, GNET_REFUSED_WRONG_KEY);
}

}  // namespace
}  // namespace corvax
