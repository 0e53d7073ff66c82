#pragma once
/// @file
/// @ingroup net
/// A replication host over ENet: it listens, connects, or both; Sync sends local changes and takes
/// in what arrived. Nothing happens between Sync calls.
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include <corvax/net/gnet_object.h>
#include <corvax/net/gnet_refusal.h>
#include <corvax/runtime/list.h>

// ENet's own tag names, declared so that this header needs no ENet header.
struct _ENetHost;    // NOLINT(bugprone-reserved-identifier)
struct _ENetPeer;    // NOLINT(bugprone-reserved-identifier)
struct _ENetPacket;  // NOLINT(bugprone-reserved-identifier)
struct _ENetEvent;   // NOLINT(bugprone-reserved-identifier)

namespace corvax {

class GNetJoins;
class GNetKeyedLink;

/// Another host connected to this one, with the mapping between its object ids and ours.
class TGNetPeer : public Object {
 public:
  /// Ids run from 1 to kIdCount - 1.
  static constexpr int kIdCount = 4096;

  /// A peer with no ids mapped.
  /// @param peer The ENet peer.
  explicit TGNetPeer(_ENetPeer* peer);
  ~TGNetPeer() override;

  /// Asks ENet to disconnect the peer.
  void Disconnect();
  /// Records that the peer's object remoteId is our object localId.
  /// @param localId Our object's id.
  /// @param remoteId The peer's id for it.
  /// @sa UnmapId, LocalToRemote
  void MapId(int localId, int remoteId);
  /// Forgets the mapping of our object localId.
  /// @param localId Our object's id.
  /// @sa MapId
  void UnmapId(int localId);
  /// @param packet A packet the peer sent.
  /// @return The message; Null for a packet shorter than its 2-byte header.
  /// @sa Send
  Ref<TGNetMsg> DecodePacket(const _ENetPacket& packet) const;
  /// Throws "ENet errror" when ENet refuses the packet. A disconnected peer gets nothing, and
  /// under a shared key neither does a peer that has not proven the key; the message goes
  /// sealed.
  /// @param message The message to send.
  /// @sa DecodePacket
  void Send(const TGNetMsg& message);
  /// The same as the constructor, as a new object.
  /// @param peer The ENet peer.
  /// @return The new peer.
  static Ref<TGNetPeer> Create(_ENetPeer* peer) { return New<TGNetPeer>(peer); }

  /// @return The ENet peer.
  _ENetPeer* EnetPeer() const { return enetPeer_; }
  /// @return The peer's session under the host's shared key; null for a host without a key.
  GNetKeyedLink* KeyedLink() const { return keyed_.get(); }
  /// @return Whether the host may exchange objects with the peer: always without a shared
  /// key, once the peer has proven the key with one.
  bool Trusted() const;
  /// An id outside 0..kIdCount-1 throws TArrayBoundsException.
  /// @param localId Our object's id.
  /// @return The peer's id for it, 0 when none.
  /// @sa RemoteToLocal, MapId
  int LocalToRemote(int localId) const { return localToRemote_[localId]; }
  /// An id outside 0..kIdCount-1 throws TArrayBoundsException.
  /// @param remoteId The peer's id of an object.
  /// @return Our id for it, 0 when none.
  /// @sa LocalToRemote, MapId
  int RemoteToLocal(int remoteId) const { return remoteToLocal_[remoteId]; }

 private:
  friend class TGNetHost;
  // A packet of the peer's own session (a hello or a proof), sent as it stands on channel 0.
  void SendHandshake(const std::vector<std::uint8_t>& bytes);

  _ENetPeer* enetPeer_;
  std::unique_ptr<GNetKeyedLink> keyed_;
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
  ~TGNetHost() override;

  /// Queues what ENet has received, without waiting.
  void PollEvents();
  /// Sends the changes of local objects to every peer, then applies what peers sent: the
  /// created, modified, closed and message lists describe this Sync.
  void Sync();
  /// Disconnects every peer and ends the ENet host; the host lets go of its objects too. Closing
  /// again does nothing.
  void Close();
  /// Sends the message to every peer but one.
  /// @param message The message.
  /// @param except The peer left out, or nullptr.
  void Broadcast(const TGNetMsg& message, const TGNetPeer* except);
  /// @param peer The ENet peer.
  /// @return A new peer over it, added to the peer list.
  /// @sa PeerList
  Ref<TGNetPeer> AddPeer(_ENetPeer* peer);
  /// Takes one packet's bytes as the peer sent them, as Sync does for each that arrived: applied
  /// and relayed, or counted as dropped; under a shared key, also refused.
  /// @param peer The sender.
  /// @param data The packet's bytes.
  /// @param size How many.
  /// @param channel The ENet channel it came on.
  /// @sa DroppedMessages, RefusedList
  void ReceivePacket(const Ref<TGNetPeer>& peer, const std::uint8_t* data, std::size_t size,
                     int channel = 0);

  /// Bytes of a shared key.
  static constexpr std::size_t kKeyBytes = 32;
  /// Makes the host replicate only with peers holding the same key: each proves it when it
  /// connects, without the key crossing the network, and every packet after that is
  /// authenticated and encrypted, and refused when replayed. A refused peer is disconnected and
  /// reported in RefusedList. Hosts without a key never talk to it. Set it before Listen and
  /// Connect.
  /// @param key kKeyBytes bytes.
  /// @return false, and no change, for a key of another length or a host that has peers.
  /// @sa RefusedList
  bool SetKey(const std::vector<std::uint8_t>& key);
  /// @return Whether the host has a shared key.
  /// @sa SetKey
  bool HasKey() const { return key_ != nullptr; }
  /// @return The TGNetRefusal events of the last Sync: peers whose packet was refused, and why.
  /// @sa SetKey
  const Ref<TList>& RefusedList() const { return refusedList_; }

  /// @return Every object.
  /// @sa CreatedList
  const Ref<TList>& ObjectList() const { return objects_; }
  /// @return The peers.
  const Ref<TList>& PeerList() const { return peers_; }
  /// @return The objects the last Sync created.
  /// @sa ModifiedList, ClosedList
  const Ref<TList>& CreatedList() const { return createdList_; }
  /// @return The objects the last Sync modified.
  /// @sa CreatedList, ClosedList
  const Ref<TList>& ModifiedList() const { return modifiedList_; }
  /// @return The objects the last Sync closed.
  /// @sa CreatedList, ModifiedList
  const Ref<TList>& ClosedList() const { return closedList_; }
  /// @return The messages the last Sync delivered.
  /// @sa SendToTarget
  const Ref<TList>& MessageList() const { return messageList_; }

  /// @return A new local object with a free id; throws "Out of GNet object IDs" when none.
  /// @sa NewMessage
  Ref<TGNetObject> NewObject();
  /// @return A new local message.
  /// @sa SendToTarget, NewObject
  Ref<TGNetObject> NewMessage();
  /// Only a remote target's owner gets the message; a local target gets nothing.
  /// @param message A message from NewMessage.
  /// @param target The object the message is for.
  /// @sa MessageList
  void SendToTarget(const Ref<TGNetObject>& message, const Ref<TGNetObject>& target);
  /// @return The lowest free id from 1 to 4095; throws "Out of GNet object IDs" when none.
  /// @sa FreeId
  int AllocateId();
  /// @return The lowest free id from 1 to 4095, or 0 when every id is taken.
  /// @sa AllocateId
  int FreeId() const;
  /// Enters the object under its id.
  /// @param object The object.
  /// @sa UnregisterObject, ObjectWithId
  void RegisterObject(const Ref<TGNetObject>& object);
  /// Removes the object from under its id.
  /// @param object The object.
  /// @sa RegisterObject
  void UnregisterObject(const Ref<TGNetObject>& object);
  /// @param id An object id.
  /// @return The object under the id, or Null.
  Ref<TGNetObject> ObjectWithId(int id) const;

  /// Gives the host its network end, listening for peers.
  /// @param port The UDP port; 0 lets the system pick it (LocalPort).
  /// @param address The local address; 0 listens on every local address.
  /// @return true on success, false on failure.
  /// @sa Connect, LocalPort
  bool Listen(int port, int address = 0);
  /// A connection that completes after the wait still joins at a later Sync. An attempt that
  /// hears nothing back for 5 s fails, with a line on stderr, and is made again after a wait
  /// (0.25 s, doubling to at most 4 s), at later Syncs too, until it joins or the host closes.
  /// @param ip The peer's address.
  /// @param port The peer's UDP port.
  /// @param timeoutMs The longest wait for the connection, in milliseconds.
  /// @return true once connected, else false.
  /// @sa Listen
  bool Connect(int ip, int port, int timeoutMs);
  /// @return A new host.
  static Ref<TGNetHost> Create() { return New<TGNetHost>(); }
  /// @return The UDP port the ENet host uses, or 0 without one.
  /// @sa Listen
  int LocalPort() const;

  /// @return The received messages dropped because they were malformed or named objects the
  /// sender does not own; they are neither applied nor relayed.
  int DroppedMessages() const { return droppedMessages_; }

 private:
  void TakeEvent(const _ENetEvent& event);
  void PeerLeft(const Ref<TGNetPeer>& peer);
  void TakeMessage(const Ref<TGNetPeer>& peer, int wireId, const Ref<TGNetMsg>& message);
  void Receive(const Ref<TGNetPeer>& peer, int wireId, const Ref<TGNetMsg>& message);
  Ref<TGNetPeer> FindPeer(_ENetPeer* peer) const;
  void DestroyQueuedPackets();
  void TakeKeyedPacket(const Ref<TGNetPeer>& peer, int channel, const std::uint8_t* data,
                       std::size_t size);
  void Refuse(const Ref<TGNetPeer>& peer, int reason);
  void SendEveryObject(TGNetPeer& peer);

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
  std::unique_ptr<std::array<std::uint8_t, kKeyBytes>> key_;
  // The hosts this one connects to that have not joined yet: they take the connecting end's
  // part in a keyed session.
  std::unique_ptr<GNetJoins> joins_;
  Ref<TList> refusedList_;
};

}  // namespace corvax
