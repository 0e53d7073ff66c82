#include <enet/enet.h>

#include "socket_system.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

#include <corvax/net/gnet_host.h>

#include "gnet_channels.h"
#include "gnet_event.h"
#include "gnet_joins.h"
#include "gnet_keyed_link.h"
#include "gnet_wire.h"
#include "retransmit_ceiling.h"

namespace corvax {
namespace {

constexpr int kMaxPeers = 32;
constexpr enet_uint32 kNoThrottleDeceleration = 0;
// A peer that acknowledges nothing for this long is taken for gone. The same bound for the least
// and the most wait makes it mean the same on every ENet version, whatever the retransmissions.
constexpr enet_uint32 kDeadAfterMs = ENET_PEER_TIMEOUT_MINIMUM;

ENetAddress EnetAddress(int ip, int port) {
  ENetAddress address{};
  address.host = htonl(static_cast<std::uint32_t>(ip));
  address.port = static_cast<enet_uint16>(port);
  return address;
}

// A copy of an event kept for a later Sync; only events that happened are allocated.
Ref<ENetEvent> QueuedEvent(const ::ENetEvent& record) {
  const Ref<ENetEvent> event = New<ENetEvent>();
  event->record = record;
  return event;
}

template <class T, class Visit>
void ForEachLink(const Ref<TList>& list, Visit visit) {
  for (Ref<TLink> link = list->FirstLink(); link;) {
    const Ref<TLink> next = link->NextLink();
    visit(link, Cast<T>(link->Value()));
    link = next;
  }
}

// The sender's id of the object a packet is about: the low 4 bits of its first byte and its
// second byte.
int WireId(const std::uint8_t* data, std::size_t size) {
  return size >= 2 ? (data[0] & 0x0F) << 8 | data[1] : 0;
}

}  // namespace

TGNetHost::TGNetHost()
    : events_(New<TList>()),
      peers_(New<TList>()),
      objects_(New<TList>()),
      createdList_(New<TList>()),
      modifiedList_(New<TList>()),
      closedList_(New<TList>()),
      messageList_(New<TList>()),
      idTable_(kIdCount),
      joins_(std::make_unique<GNetJoins>(kDeadAfterMs)),
      refusedList_(New<TList>()) {}

TGNetHost::~TGNetHost() = default;

bool TGNetHost::SetKey(const std::vector<std::uint8_t>& key) {
  if (key.size() != kKeyBytes || !peers_ || !peers_->IsEmpty()) return false;
  key_ = std::make_unique<std::array<std::uint8_t, kKeyBytes>>();
  std::copy(key.begin(), key.end(), key_->begin());
  return true;
}

void TGNetHost::PollEvents() {
  if (!enetHost_) return;
  ::ENetEvent event;
  // An ENet failure ends this round of polling; the next Sync polls again.
  while (enet_host_service(enetHost_, &event, 0) > 0) events_->AddLast(QueuedEvent(event));
  CapRetransmissionTimeouts(*enetHost_);
}

void TGNetHost::Sync() {
  if (!peers_) return;
  createdList_->Clear();
  modifiedList_->Clear();
  closedList_->Clear();
  messageList_->Clear();
  refusedList_->Clear();
  ForEachLink<TGNetObject>(objects_, [&](const Ref<TLink>& link, const Ref<TGNetObject>& object) {
    const Ref<TGNetMsg> message = object->TakeChanges();
    if (message) Broadcast(*message, object->owner_.get());
    if (object->state_ != GNET_DEAD) return;
    if (!object->owner_) UnregisterObject(object);
    link->Remove();
  });
  // Events a Connect wait set aside come first, in the order they arrived.
  while (!events_->IsEmpty()) TakeEvent(Cast<ENetEvent>(events_->RemoveFirst())->record);
  if (!enetHost_) return;
  joins_->RetryDue(*enetHost_);
  // One service sends what the outgoing pass queued and reads what the socket holds; the
  // events it read are then handed out without asking the socket again. An ENet failure ends
  // this round; the next Sync services the host again.
  ::ENetEvent event;
  int result = enet_host_service(enetHost_, &event, 0);
  CapRetransmissionTimeouts(*enetHost_);
  if (result <= 0) return;
  do {
    TakeEvent(event);
    result = enet_host_check_events(enetHost_, &event);
  } while (result > 0);
  // Acknowledgements and relayed messages leave now rather than at the next Sync.
  enet_host_flush(enetHost_);
}

void TGNetHost::TakeEvent(const _ENetEvent& event) {
  const Ref<TGNetPeer> peer = FindPeer(event.peer);
  switch (event.type) {
    case ENET_EVENT_TYPE_CONNECT:
      AddPeer(event.peer);
      return;
    case ENET_EVENT_TYPE_DISCONNECT:
      if (joins_->Failed(event.peer)) return;
      if (peer) PeerLeft(peer);
      return;
    case ENET_EVENT_TYPE_RECEIVE: {
      ENetPacket* packet = event.packet;
      if (peer && peer->keyed_) {
        TakeKeyedPacket(peer, event.channelID, packet->data, packet->dataLength);
        enet_packet_destroy(packet);
        return;
      }
      const Ref<TGNetMsg> message = peer ? peer->DecodePacket(*packet) : nullptr;
      const int wireId = WireId(packet->data, packet->dataLength);
      enet_packet_destroy(packet);
      TakeMessage(peer, wireId, message);
      return;
    }
    default:
      throw TThrownString(u"GNet error");
  }
}

void TGNetHost::ReceivePacket(const Ref<TGNetPeer>& peer, const std::uint8_t* data,
                              std::size_t size, int channel) {
  if (peer && peer->keyed_) {
    TakeKeyedPacket(peer, channel, data, size);
    return;
  }
  ENetPacket packet{};
  packet.data = const_cast<std::uint8_t*>(data);
  packet.dataLength = size;
  TakeMessage(peer, WireId(data, size), peer ? peer->DecodePacket(packet) : nullptr);
}

void TGNetHost::TakeMessage(const Ref<TGNetPeer>& peer, int wireId, const Ref<TGNetMsg>& message) {
  if (message) {
    Receive(peer, wireId, message);
  } else {
    ++droppedMessages_;
  }
}

// Under a shared key every packet passes the peer's session first: handshake packets end there,
// and a replication packet goes on only once it has opened.
void TGNetHost::TakeKeyedPacket(const Ref<TGNetPeer>& peer, int channel, const std::uint8_t* data,
                                std::size_t size) {
  GNetKeyedLink::Outcome outcome =
      peer->keyed_->Take(static_cast<std::uint8_t>(channel), data, size);
  if (outcome.refusal != 0) {
    Refuse(peer, outcome.refusal);
    return;
  }
  if (!outcome.reply.empty()) peer->SendHandshake(outcome.reply);
  if (outcome.nowProven) SendEveryObject(*peer);
  if (!outcome.deliver) return;
  const std::vector<std::uint8_t>& plain = outcome.plain;
  ENetPacket packet{};
  packet.data = const_cast<std::uint8_t*>(plain.data());
  packet.dataLength = plain.size();
  TakeMessage(peer, WireId(plain.data(), plain.size()), peer->DecodePacket(packet));
}

// The peer goes at once, as if it had disconnected: its objects close here and at the other
// peers, and nothing more it sends is taken.
void TGNetHost::Refuse(const Ref<TGNetPeer>& peer, int reason) {
  int ip = 0;
  int port = 0;
  if (peer->enetPeer_) {
    ip = static_cast<int>(ntohl(peer->enetPeer_->address.host));
    port = peer->enetPeer_->address.port;
  }
  const Ref<TGNetRefusal> refusal = New<TGNetRefusal>(reason, ip, port);
  refusedList_->AddLast(refusal);
  std::fprintf(stderr, "%s\n", ToUtf8(refusal->ToString()).c_str());
  // The disconnection waits for what was already sent, this end's proof among them, so that
  // the other end can tell why too: ENet drops what it has not handed out when a peer goes.
  if (peer->enetPeer_) enet_peer_disconnect_later(peer->enetPeer_, 0);
  peer->enetPeer_ = nullptr;
  if (peers_ && peers_->Contains(peer)) PeerLeft(peer);
}

void TGNetHost::PeerLeft(const Ref<TGNetPeer>& peer) {
  ForEachLink<TGNetObject>(objects_, [&](const Ref<TLink>&, const Ref<TGNetObject>& object) {
    // Objects whose close already arrived are gone from this peer's maps and the id table.
    if (object->owner_ != peer || object->state_ == GNET_CLOSED || object->state_ == GNET_DEAD) {
      return;
    }
    Broadcast(*object->CloseMessage(), peer.get());
    peer->UnmapId(object->id_);
    UnregisterObject(object);
    closedList_->AddLast(object);
    object->Close();
  });
  peer->enetPeer_ = nullptr;
  peers_->Remove(peer);
}

// A peer may only create under ids it has not used yet, and only change or close the objects
// it created; anything else, like records that do not parse, is dropped before it is relayed.
void TGNetHost::Receive(const Ref<TGNetPeer>& peer, int wireId, const Ref<TGNetMsg>& message) {
  if (!gnet_wire::RecordsAreValid(message->data)) {
    ++droppedMessages_;
    return;
  }
  Ref<TGNetObject> object;
  switch (message->type) {
    case GNET_MESSAGE: {
      const Ref<TGNetObject> target = ObjectWithId(message->id);
      if (!target) {
        ++droppedMessages_;
      } else if (target->owner_) {
        target->owner_->Send(*message);
      } else {
        const Ref<TGNetObject> received =
            TGNetObject::Create(message->id, GNET_MESSAGE, this, nullptr);
        messageList_->AddLast(received);
        received->Apply(*message);
      }
      return;
    }
    case GNET_CREATED: {
      // With every id taken the object cannot be held: dropped like any create it may not make.
      const int id = FreeId();
      if (wireId == 0 || peer->RemoteToLocal(wireId) != 0 || id == 0) {
        ++droppedMessages_;
        return;
      }
      object = TGNetObject::Create(id, GNET_CREATED, this, peer);
      RegisterObject(object);
      peer->MapId(object->id_, wireId);
      message->id = object->id_;
      objects_->AddLast(object);
      createdList_->AddLast(object);
      break;
    }
    case GNET_MODIFIED:
    case GNET_CLOSED: {
      object = peer->RemoteToLocal(wireId) != 0 ? ObjectWithId(message->id) : nullptr;
      if (!object || object->owner_ != peer) {
        ++droppedMessages_;
        return;
      }
      if (message->type == GNET_MODIFIED) {
        modifiedList_->AddLast(object);
      } else {
        peer->UnmapId(object->id_);
        UnregisterObject(object);
        closedList_->AddLast(object);
      }
      break;
    }
    default:
      ++droppedMessages_;
      return;
  }
  Broadcast(*message, peer.get());
  object->Apply(*message);
}

void TGNetHost::Close() {
  if (!peers_) return;
  ForEachLink<TGNetPeer>(peers_,
                         [](const Ref<TLink>&, const Ref<TGNetPeer>& peer) { peer->Disconnect(); });
  peers_ = nullptr;
  joins_->Clear();
  refusedList_->Clear();
  DestroyQueuedPackets();
  if (enetHost_) {
    enet_host_flush(enetHost_);
    enet_host_destroy(enetHost_);
    enetHost_ = nullptr;
  }
  // The objects refer back to this host; letting go of them lets both be freed.
  objects_->Clear();
  createdList_->Clear();
  modifiedList_->Clear();
  closedList_->Clear();
  messageList_->Clear();
  for (auto& entry : idTable_) entry = nullptr;
}

void TGNetHost::DestroyQueuedPackets() {
  ForEachLink<ENetEvent>(events_, [](const Ref<TLink>&, const Ref<ENetEvent>& event) {
    if (event->record.type == ENET_EVENT_TYPE_RECEIVE) enet_packet_destroy(event->record.packet);
  });
  events_->Clear();
}

void TGNetHost::Broadcast(const TGNetMsg& message, const TGNetPeer* except) {
  ForEachLink<TGNetPeer>(peers_, [&](const Ref<TLink>&, const Ref<TGNetPeer>& peer) {
    if (peer.get() != except) peer->Send(message);
  });
}

Ref<TGNetPeer> TGNetHost::AddPeer(_ENetPeer* enetPeer) {
  const Ref<TGNetPeer> peer = TGNetPeer::Create(enetPeer);
  // ENet narrows a peer's reliable window to a single datagram in flight once round trips vary
  // (jitter, losses); replication sends reliable packets only, so it would crawl on a poor
  // link. The window stays at the size the peers agreed instead.
  if (enetPeer) {
    enet_peer_throttle_configure(enetPeer, ENET_PEER_PACKET_THROTTLE_INTERVAL,
                                 ENET_PEER_PACKET_THROTTLE_ACCELERATION, kNoThrottleDeceleration);
    enet_peer_timeout(enetPeer, 0, kDeadAfterMs, kDeadAfterMs);
    // ENet counts a peer's silence from its oldest unacknowledged sending, and a handshake
    // answered without an acknowledgement leaves that at the first connect request: after a slow
    // handshake a new peer would have much less than kDeadAfterMs before it is dropped.
    enetPeer->earliestTimeout = 0;
  }
  const bool connecting = joins_->Joined(enetPeer);
  peers_->AddLast(peer);
  // Under a shared key the peer first says hello and gets the objects once it proves the key.
  if (key_) {
    const auto role =
        connecting ? GNetKeyedLink::Role::kConnecting : GNetKeyedLink::Role::kAccepting;
    peer->keyed_ = std::make_unique<GNetKeyedLink>(*key_, role);
    peer->SendHandshake(peer->keyed_->Hello());
    return peer;
  }
  SendEveryObject(*peer);
  return peer;
}

void TGNetHost::SendEveryObject(TGNetPeer& peer) {
  ForEachLink<TGNetObject>(objects_, [&](const Ref<TLink>&, const Ref<TGNetObject>& object) {
    if (object->state_ == GNET_IN_STEP || object->state_ == GNET_MODIFIED) {
      peer.Send(*object->CreateMessage());
    }
  });
}

Ref<TGNetPeer> TGNetHost::FindPeer(_ENetPeer* enetPeer) const {
  if (!peers_ || !enetPeer) return nullptr;
  for (const Ref<Object>& item : *peers_) {
    const Ref<TGNetPeer> peer = Cast<TGNetPeer>(item);
    if (peer->enetPeer_ == enetPeer) return peer;
  }
  return nullptr;
}

Ref<TGNetObject> TGNetHost::NewObject() {
  const Ref<TGNetObject> object = TGNetObject::Create(AllocateId(), GNET_CREATED, this, nullptr);
  RegisterObject(object);
  objects_->AddLast(object);
  return object;
}

Ref<TGNetObject> TGNetHost::NewMessage() {
  return TGNetObject::Create(0, GNET_MESSAGE, this, nullptr);
}

void TGNetHost::SendToTarget(const Ref<TGNetObject>& message, const Ref<TGNetObject>& target) {
  if (target->owner_) target->owner_->Send(*message->TargetMessage(target->id_));
}

int TGNetHost::FreeId() const {
  for (int id = 1; id < kIdCount; ++id) {
    if (!idTable_[id]) return id;
  }
  return 0;
}

int TGNetHost::AllocateId() {
  const int id = FreeId();
  if (id == 0) throw TThrownString(u"Out of GNet object IDs");
  return id;
}

void TGNetHost::RegisterObject(const Ref<TGNetObject>& object) {
  idTable_[object->id_] = object;
}

void TGNetHost::UnregisterObject(const Ref<TGNetObject>& object) {
  if (idTable_[object->id_] == object) idTable_[object->id_] = nullptr;
}

Ref<TGNetObject> TGNetHost::ObjectWithId(int id) const {
  return id > 0 && id < kIdCount ? idTable_[id] : nullptr;
}

bool TGNetHost::Listen(int port, int address) {
  if (enetHost_) return 0;
  const ENetAddress local = EnetAddress(address, port);
  enetHost_ = enet_host_create(&local, kMaxPeers, kGNetChannels, 0, 0);
  return enetHost_ ? 1 : 0;
}

int TGNetHost::LocalPort() const {
  return enetHost_ ? enetHost_->address.port : 0;
}

bool TGNetHost::Connect(int ip, int port, int timeoutMs) {
  if (!peers_) return 0;
  if (!enetHost_) enetHost_ = enet_host_create(nullptr, kMaxPeers, kGNetChannels, 0, 0);
  if (!enetHost_) return 0;
  const int attempt = joins_->Start(*enetHost_, EnetAddress(ip, port), kGNetChannels);
  if (attempt == 0) return 0;
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    joins_->RetryDue(*enetHost_);
    ENetPeer* target = joins_->PeerOf(attempt);
    Ref<TLink> found;
    ForEachLink<ENetEvent>(events_, [&](const Ref<TLink>& link, const Ref<ENetEvent>& event) {
      if (!found && target && event->record.type == ENET_EVENT_TYPE_CONNECT &&
          event->record.peer == target)
        found = link;
    });
    if (found) {
      found->Remove();
      AddPeer(target);
      return 1;
    }
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) return 0;
    // Waiting inside ENet for up to a few milliseconds at a time keeps the wait off the CPU.
    ::ENetEvent event;
    const int result = enet_host_service(enetHost_, &event,
                                         static_cast<enet_uint32>(std::min<long long>(left, 5)));
    CapRetransmissionTimeouts(*enetHost_);
    if (result < 0) return 0;
    // A failure of this attempt is taken at once, so that the next try falls within the wait.
    const bool failedHere = result > 0 && event.type == ENET_EVENT_TYPE_DISCONNECT && target &&
                            event.peer == target && joins_->Failed(target);
    if (result > 0 && !failedHere) events_->AddLast(QueuedEvent(event));
  }
}

}  // namespace corvax
