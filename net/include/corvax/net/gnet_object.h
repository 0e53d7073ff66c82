#pragma once
/// @file
/// @ingroup net
/// Replicated objects: 32 typed slots owned by one host, copied to every connected host.
#include <cstdint>
#include <vector>

#include <corvax/runtime/array.h>
#include <corvax/runtime/object.h>

namespace corvax {

class TGNetHost;
class TGNetPeer;

/// Slot and wire type codes.
enum GNetSlotType {
  kGNetEmpty = 0,
  kGNetInt = 1,
  kGNetFloat = 2,
  kGNetString = 3,
  kGNetByte = 4,
  kGNetShort = 5
};

/// Object states; messages are objects in state kGNetMessage.
enum GNetState {
  kGNetNew = 0,
  kGNetCreated = 1,
  kGNetModified = 2,
  kGNetClosed = 3,
  kGNetInStep = 4,
  kGNetMessage = 5,
  kGNetDead = -1
};

/// One value of a replicated object: an integer, a float or a String.
class TGNetSlot : public Object {
 public:
  /// The integer's type follows its value: negative or above 65535 a 32-bit integer, else the
  /// smallest unsigned type that holds it.
  virtual void SetInt(int value);
  /// Stores the value and makes the slot that type.
  ///@{
  virtual void SetFloat(float value);
  virtual void SetString(const String& value);
  ///@}
  /// Each getter returns its own field whatever the slot's type.
  ///@{
  virtual int GetInt() const { return intValue_; }
  virtual float GetFloat() const { return floatValue_; }
  virtual String GetString() const { return stringValue_; }
  ///@}
  /// A GNetSlotType; kGNetEmpty until set.
  int Type() const { return type_; }

 private:
  int type_ = kGNetEmpty;
  int intValue_ = 0;
  float floatValue_ = 0;
  String stringValue_;
};

/// One wire message, decoded: 1 create, 2 modify, 3 close, 5 message.
class TGNetMsg : public Object {
 public:
  /// A message of these fields.
  TGNetMsg(int id, int type, std::vector<std::uint8_t> data = {})
      : id(id), type(type), data(std::move(data)) {}
  int id;                          ///< the object's id on the sending host
  int type;                        ///< 1 create, 2 modify, 3 close, 5 message
  std::vector<std::uint8_t> data;  ///< the encoded slot records
};

/// An object replicated between hosts: 32 slots, owned by the host that made it (local) or a
/// peer (remote). Messages are objects of their own kind, sent once.
class TGNetObject : public Object {
 public:
  /// Slots per object.
  static constexpr int kSlotCount = 32;

  TGNetObject();

  /// A GNetState.
  int State() const { return state_; }
  /// Announces the object's end at the next Sync; an object never announced just disappears.
  /// Throws "Illegal object state" for a message, a new or a dead object.
  void Close();

  /// Set or get one slot as TGNetSlot does; a changed slot is sent at the next Sync. Slot
  /// numbers outside 0..31 throw TArrayBoundsException.
  ///@{
  void SetInt(int slot, int value);
  void SetFloat(int slot, float value);
  void SetString(int slot, const String& value);
  int GetInt(int slot) const;
  float GetFloat(int slot) const;
  String GetString(int slot) const;
  ///@}
  /// Marks the slot changed, so the next Sync sends it.
  Ref<TGNetSlot> TouchSlot(int slot);

  /// The message the next Sync sends for a local object (Null for none), and the state step.
  Ref<TGNetMsg> TakeChanges();
  /// Decodes the message's slots into this object and takes the message's type as the state.
  void Apply(const TGNetMsg& message);
  /// The wire messages announcing the object with all its slots, its end, and (for a message)
  /// its delivery to the object targetId.
  ///@{
  Ref<TGNetMsg> CreateMessage() const;
  Ref<TGNetMsg> CloseMessage() const;
  Ref<TGNetMsg> TargetMessage(int targetId) const;
  ///@}

  /// The records of the slots in the mask. Throws "GNet message data too large" beyond 65520
  /// bytes.
  std::vector<std::uint8_t> Encode(std::uint32_t mask) const;
  /// All records are checked before any slot changes: "Corrupt GNet message" or
  /// "Invalid GNet data type" leave the object as it was.
  void Decode(const std::vector<std::uint8_t>& bytes);

  /// A new object of host with the id and state; owner Null makes it local.
  static Ref<TGNetObject> Create(int id, int state, Ref<TGNetHost> host, Ref<TGNetPeer> owner);

  /// The id on its host.
  int Id() const { return id_; }
  /// The host the object belongs to.
  const Ref<TGNetHost>& Host() const { return host_; }
  /// Null for a local object or a message.
  const Ref<TGNetPeer>& Owner() const { return owner_; }
  /// Any object the program attaches; never sent.
  ///@{
  const Ref<Object>& UserObject() const { return userObject_; }
  void SetUserObject(Ref<Object> value) { userObject_ = std::move(value); }
  ///@}

 private:
  friend class TGNetHost;
  std::uint32_t NonEmptyMask() const;

  int id_ = 0;
  int state_ = kGNetNew;
  Ref<TGNetHost> host_;
  Ref<TGNetPeer> owner_;
  Ref<Object> userObject_;
  Array<Ref<TGNetSlot>> slots_;
  std::uint32_t changedMask_ = 0;
};

}  // namespace corvax
