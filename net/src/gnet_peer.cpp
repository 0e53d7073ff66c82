#include <enet/enet.h>

#include <corvax/net/gnet_host.h>

#include "gnet_channels.h"
#include "gnet_keyed_link.h"

namespace corvax {

TGNetPeer::TGNetPeer(_ENetPeer* peer)
    : enetPeer_(peer), localToRemote_(kIdCount), remoteToLocal_(kIdCount) {}

TGNetPeer::~TGNetPeer() = default;

bool TGNetPeer::Trusted() const {
  return !keyed_ || keyed_->Proven();
}

void TGNetPeer::Disconnect() {
  if (!enetPeer_) return;
  enet_peer_disconnect(enetPeer_, 0);
  enetPeer_ = nullptr;
}

void TGNetPeer::MapId(int localId, int remoteId) {
  localToRemote_[localId] = remoteId;
  remoteToLocal_[remoteId] = localId;
}

void TGNetPeer::UnmapId(int localId) {
  const int remoteId = localToRemote_[localId];
  localToRemote_[localId] = 0;
  if (remoteId != 0) remoteToLocal_[remoteId] = 0;
}

Ref<TGNetMsg> TGNetPeer::DecodePacket(const _ENetPacket& packet) const {
  if (packet.dataLength < 2) return nullptr;
  const std::uint8_t* bytes = packet.data;
  int id = (bytes[0] & 0x0F) << 8 | bytes[1];
  const int type = bytes[0] >> 4;
  if (type != GNET_MESSAGE && remoteToLocal_[id] != 0) id = remoteToLocal_[id];
  return New<TGNetMsg>(id, type, std::vector<std::uint8_t>(bytes + 2, bytes + packet.dataLength));
}

namespace {

void SendPacket(_ENetPeer* peer, std::uint8_t channel, const std::vector<std::uint8_t>& bytes) {
  ENetPacket* packet = enet_packet_create(bytes.data(), bytes.size(), ENET_PACKET_FLAG_RELIABLE);
  if (!packet) throw TThrownString(u"ENet errror");
  if (enet_peer_send(peer, channel, packet) < 0) {
    // A refused packet still belongs to us.
    enet_packet_destroy(packet);
    throw TThrownString(u"ENet errror");
  }
}

}  // namespace

void TGNetPeer::Send(const TGNetMsg& message) {
  if (!enetPeer_ || !Trusted()) return;
  const int id = message.type == GNET_MESSAGE ? localToRemote_[message.id] : message.id;
  std::vector<std::uint8_t> bytes;
  bytes.reserve(message.data.size() + 2);
  bytes.push_back(static_cast<std::uint8_t>(message.type << 4 | id >> 8));
  bytes.push_back(static_cast<std::uint8_t>(id & 0xFF));
  bytes.insert(bytes.end(), message.data.begin(), message.data.end());
  const std::uint8_t channel = GNetChannelFor(id, enetPeer_->channelCount);
  SendPacket(enetPeer_, channel, keyed_ ? keyed_->Seal(channel, bytes) : bytes);
}

void TGNetPeer::SendHandshake(const std::vector<std::uint8_t>& bytes) {
  if (enetPeer_) SendPacket(enetPeer_, 0, bytes);
}

}  // namespace corvax
