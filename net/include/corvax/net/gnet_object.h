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
  GNET_EMPTY = 0,   ///< nothing set; never sent
  GNET_INT = 1,     ///< a 32-bit signed integer
  GNET_FLOAT = 2,   ///< a float, sent in half precision
  GNET_STRING = 3,  ///< a String of 8-bit characters
  GNET_BYTE = 4,    ///< an integer from 0 to 255
  GNET_SHORT = 5,   ///< an integer from 256 to 65535

  /// Deprecated: the earlier names of the GNET_ slot types, kept so that programs using them
  /// build and mean the same.
  ///@{
  kGNetEmpty = GNET_EMPTY,
  kGNetInt = GNET_INT,
  kGNetFloat = GNET_FLOAT,
  kGNetString = GNET_STRING,
  kGNetByte = GNET_BYTE,
  kGNetShort = GNET_SHORT,
  ///@}
};

/// Object states; messages are objects in state GNET_MESSAGE.
enum GNetState {
  GNET_NEW = 0,       ///< constructed, not yet set up
  GNET_CREATED = 1,   ///< local and not yet announced, or remote and announced by the last Sync
  GNET_MODIFIED = 2,  ///< changed since the last Sync (local) or by it (remote)
  GNET_CLOSED = 3,    ///< closing (local) or closed by the last Sync (remote)
  GNET_IN_STEP = 4,   ///< nothing to send
  GNET_MESSAGE = 5,   ///< a message, sent once
  GNET_DEAD = -1,     ///< removed from its host at the next Sync

  /// Deprecated: the earlier names of the GNET_ states, kept so that programs using them build
  /// and mean the same.
  ///@{
  kGNetNew = GNET_NEW,
  kGNetCreated = GNET_CREATED,
  kGNetModified = GNET_MODIFIED,
  kGNetClosed = GNET_CLOSED,
  kGNetInStep = GNET_IN_STEP,
  kGNetMessage = GNET_MESSAGE,
  kGNetDead = GNET_DEAD,
  ///@}
};

/// One value of a replicated object: an integer, a float or a String.
class TGNetSlot : public Object {
 public:
  /// The integer's type follows its value: negative or above 65535 a 32-bit integer, else the
  /// smallest unsigned type that holds it.
  /// @param value The value.
  /// @sa GetInt
  virtual void SetInt(int value);
  /// Stores the value and makes the slot a float.
  /// @param value The value.
  /// @sa GetFloat
  virtual void SetFloat(float value);
  /// Stores the value and makes the slot a String.
  /// @param value The value.
  /// @sa GetString
  virtual void SetString(const String& value);
  /// @return The integer field, whatever the slot's type.
  virtual int GetInt() const { return intValue_; }
  /// @return The float field, whatever the slot's type.
  virtual float GetFloat() const { return floatValue_; }
  /// @return The String field, whatever the slot's type.
  virtual String GetString() const { return stringValue_; }
  /// @return A GNetSlotType; GNET_EMPTY until set.
  int Type() const { return type_; }

 private:
  int type_ = GNET_EMPTY;
  int intValue_ = 0;
  float floatValue_ = 0;
  String stringValue_;
};

/// One wire message, decoded: 1 create, 2 modify, 3 close, 5 message.
class TGNetMsg : public Object {
 public:
  /// A message of these fields.
  /// @param id The object's id on the sending host.
  /// @param type 1 create, 2 modify, 3 close, 5 message.
  /// @param data The encoded slot records.
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

  /// @return A GNetState.
  int State() const { return state_; }
  /// Announces the object's end at the next Sync; an object never announced just disappears.
  /// Throws "Illegal object state" for a message, a new or a dead object.
  void Close();

  /// Sets one slot as TGNetSlot::SetInt does; a changed slot is sent at the next Sync.
  /// @param slot 0..31; others throw TArrayBoundsException.
  /// @param value The value.
  /// @sa GetInt, RepSetInt
  void SetInt(int slot, int value);
  /// Sets one slot as TGNetSlot::SetFloat does; a changed slot is sent at the next Sync.
  /// @param slot 0..31; others throw TArrayBoundsException.
  /// @param value The value.
  /// @sa GetFloat, RepSetFloat
  void SetFloat(int slot, float value);
  /// Sets one slot as TGNetSlot::SetString does; a changed slot is sent at the next Sync.
  /// @param slot 0..31; others throw TArrayBoundsException.
  /// @param value The value.
  /// @sa GetString, RepSetString
  void SetString(int slot, const String& value);
  /// @param slot 0..31; others throw TArrayBoundsException.
  /// @return The slot's integer field (TGNetSlot::GetInt).
  /// @sa SetInt
  int GetInt(int slot) const;
  /// @param slot 0..31; others throw TArrayBoundsException.
  /// @return The slot's float field (TGNetSlot::GetFloat).
  /// @sa SetFloat
  float GetFloat(int slot) const;
  /// @param slot 0..31; others throw TArrayBoundsException.
  /// @return The slot's String field (TGNetSlot::GetString).
  /// @sa SetString
  String GetString(int slot) const;
  /// Marks the slot changed, so the next Sync sends it.
  /// @param slot 0..31; others throw TArrayBoundsException.
  /// @return The slot.
  Ref<TGNetSlot> TouchSlot(int slot);

  /// Takes the state step of a local object.
  /// @return The message the next Sync sends for a local object; Null for none.
  Ref<TGNetMsg> TakeChanges();
  /// Decodes the message's slots into this object and takes the message's type as the state.
  /// @param message The message.
  /// @sa Decode
  void Apply(const TGNetMsg& message);
  /// @return The wire message announcing the object with all its slots.
  /// @sa CloseMessage
  Ref<TGNetMsg> CreateMessage() const;
  /// @return The wire message announcing the object's end.
  /// @sa CreateMessage
  Ref<TGNetMsg> CloseMessage() const;
  /// @param targetId The id of the object the message is for.
  /// @return The wire message delivering this message to that object.
  /// @sa TGNetHost::SendToTarget
  Ref<TGNetMsg> TargetMessage(int targetId) const;

  /// Throws "GNet message data too large" beyond 65520 bytes.
  /// @param mask One bit per slot, slot 0 the lowest.
  /// @return The records of the slots in the mask.
  /// @sa Decode
  std::vector<std::uint8_t> Encode(std::uint32_t mask) const;
  /// All records are checked before any slot changes: "Corrupt GNet message" or
  /// "Invalid GNet data type" leave the object as it was.
  /// @param bytes Slot records as Encode writes them.
  /// @sa Encode
  void Decode(const std::vector<std::uint8_t>& bytes);

  /// A new object.
  /// @param id The id on its host.
  /// @param state A GNetState.
  /// @param host The host the object belongs to.
  /// @param owner The peer that owns it; Null makes it local.
  /// @return The object.
  static Ref<TGNetObject> Create(int id, int state, Ref<TGNetHost> host, Ref<TGNetPeer> owner);

  /// @return The id on its host.
  int Id() const { return id_; }
  /// @return The host the object belongs to.
  const Ref<TGNetHost>& Host() const { return host_; }
  /// @return The peer that owns the object; Null for a local object or a message.
  const Ref<TGNetPeer>& Owner() const { return owner_; }
  /// @return The object the program attached, or Null; never sent.
  /// @sa SetUserObject
  const Ref<Object>& UserObject() const { return userObject_; }
  /// Attaches any object of the program's; it is never sent.
  /// @param value The object.
  /// @sa UserObject
  void SetUserObject(Ref<Object> value) { userObject_ = std::move(value); }

 private:
  friend class TGNetHost;
  std::uint32_t NonEmptyMask() const;

  int id_ = 0;
  int state_ = GNET_NEW;
  Ref<TGNetHost> host_;
  Ref<TGNetPeer> owner_;
  Ref<Object> userObject_;
  Array<Ref<TGNetSlot>> slots_;
  std::uint32_t changedMask_ = 0;
};

}  // namespace corvax
