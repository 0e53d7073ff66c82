#pragma once
/// @file
/// @ingroup net
/// A replication host over ENet: it listens, connects, or both; Sync sends local changes and takes
/// in what arrived. Nothing happens between Sync calls.
#include <cstddef>
#include <cstdint>

#include <corvax/net/gnet_object.h>
#include <corvax/runtime/list.h>

struct _ENetHost;
struct _ENetPeer;
struct _ENetPacket;
struct _ENetEvent;

namespace corvax {

/// Another host connected to this one, with the mapping between its object ids and ours.
class TGNetPeer : public Object {
 public:
  /// Ids run from 1 to kIdCount - 1.
  static constexpr int kIdCount = 4096;

  /// A peer over the ENet peer, with no ids mapped.
  explicit TGNetPeer(_ENetPeer* peer);

  /// Asks ENet to disconnect the peer.
  void Disconnect();
  /// Records or forgets that the peer's object remoteId is our object localId.
  ///@{
  void MapId(int localId, int remoteId);
  void UnmapId(int localId);
  ///@}
  /// Null for a packet shorter than its 2-byte header.
  Ref<TGNetMsg> DecodePacket(const _ENetPacket& packet) const;
  /// Throws "ENet errror" when ENet refuses the packet. A disconnected peer gets nothing.
  void Send(const TGNetMsg& message);
  /// The same as the constructor, as a new object.
  static Ref<TGNetPeer> Create(_ENetPeer* peer) { return New<TGNetPeer>(peer); }

  /// The ENet peer.
  _ENetPeer* EnetPeer() const { return enetPeer_; }
  /// The mapped id, 0 when none; an id outside 0..kIdCount-1 throws TArrayBoundsException.
  ///@{
  int LocalToRemote(int localId) const { return localToRemote_[localId]; }
  int RemoteToLocal(int remoteId) const { return remoteToLocal_[remoteId]; }
  ///@}

 private:
  friend class TGNetHost;
  _ENetPeer* enetPeer_;
  Array<int> localToRemote_;
  Array<int> remoteToLocal_;
};

class ENetEvent;

/// One end of object replication: this program's objects, its peers, and what the last Sync
/// brought.
class TGNetHost : public Object {
 public:
  /// Ids run from 1 to kIdCount - 1.
  static constexpr int kIdCount = 4096;

  /// A host without an ENet host until Listen or Connect.
  TGNetHost();

  /// Queues what ENet has received, without waiting.
  void PollEvents();
  /// Sends the changes of local objects to every peer, then applies what peers sent: the
  /// created, modified, closed and message lists describe this Sync.
  void Sync();
  /// Disconnects every peer and ends the ENet host; the host lets go of its objects too. Closing
  /// again does nothing.
  void Close();
  /// Sends the message to every peer but except (which may be nullptr).
  void Broadcast(const TGNetMsg& message, const TGNetPeer* except);
  /// A new peer over the ENet peer, added to the peer list.
  Ref<TGNetPeer> AddPeer(_ENetPeer* peer);
  /// Takes one packet's bytes as the peer sent them, as Sync does for each that arrived: applied
  /// and relayed, or counted as dropped.
  void ReceivePacket(const Ref<TGNetPeer>& peer, const std::uint8_t* data, std::size_t size);

  /// Every object, the peers, and the objects the last Sync created, modified or closed and the
  /// messages it delivered.
  ///@{
  const Ref<TList>& ObjectList() const { return objects_; }
  const Ref<TList>& PeerList() const { return peers_; }
  const Ref<TList>& CreatedList() const { return createdList_; }
  const Ref<TList>& ModifiedList() const { return modifiedList_; }
  const Ref<TList>& ClosedList() const { return closedList_; }
  const Ref<TList>& MessageList() const { return messageList_; }
  ///@}

  /// A new local object or message with a free id; throws "Out of GNet object IDs" when none.
  ///@{
  Ref<TGNetObject> NewObject();
  Ref<TGNetObject> NewMessage();
  ///@}
  /// Only a remote target's owner gets the message; a local target gets nothing.
  void SendToTarget(const Ref<TGNetObject>& message, const Ref<TGNetObject>& target);
  /// The lowest free id from 1 to 4095; throws "Out of GNet object IDs".
  int AllocateId();
  /// The same, or 0 when every id is taken.
  int FreeId() const;
  /// Enters or removes the object under its id.
  ///@{
  void RegisterObject(const Ref<TGNetObject>& object);
  void UnregisterObject(const Ref<TGNetObject>& object);
  ///@}
  /// The object under the id, or Null.
  Ref<TGNetObject> ObjectWithId(int id) const;

  /// 1 on success, 0 on failure. The address 0 listens on every local address.
  int Listen(int port, int address = 0);
  /// Waits at most timeoutMs for the connection; 1 once connected. A connection that completes
  /// later still joins at a later Sync.
  int Connect(int ip, int port, int timeoutMs);
  /// A new host.
  static Ref<TGNetHost> Create() { return New<TGNetHost>(); }
  /// The UDP port the ENet host uses, or 0 without one: Listen(0) lets the system pick it.
  int LocalPort() const;

  /// Received messages dropped because they were malformed or named objects the sender does not
  /// own; they are neither applied nor relayed.
  int DroppedMessages() const { return droppedMessages_; }

 private:
  void TakeEvent(const _ENetEvent& event);
  void PeerLeft(const Ref<TGNetPeer>& peer);
  void TakeMessage(const Ref<TGNetPeer>& peer, int wireId, const Ref<TGNetMsg>& message);
  void Receive(const Ref<TGNetPeer>& peer, int wireId, const Ref<TGNetMsg>& message);
  Ref<TGNetPeer> FindPeer(_ENetPeer* peer) const;
  void DestroyQueuedPackets();

  _ENetHost* enetHost_ = nullptr;
  Ref<TList> events_;
  Ref<TList> peers_;
  Ref<TList> objects_;
  Ref<TList> createdList_;
  Ref<TList> modifiedList_;
  Ref<TList> closedList_;
  Ref<TList> messageList_;
  Array<Ref<TGNetObject>> idTable_;
  int droppedMessages_ = 0;
};

}  // namespace corvax
