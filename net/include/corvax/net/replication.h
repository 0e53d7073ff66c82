#pragma once
/// @file
/// @ingroup net
/// The program's interface to object replication.
/// Call first: RepNewHost, then RepListen on one side and RepConnect on the other; RepSync
/// once a frame. Example: examples/replication.cpp.
#include <corvax/net/gnet_host.h>

namespace corvax {

/// @return A new host; RepListen or RepConnect gives it a network end.
/// @sa RepCloseHost
Ref<TGNetHost> RepNewHost();
/// TGNetHost::Close: disconnects every peer and ends the network end.
/// @param host The host.
/// @sa RepNewHost
void RepCloseHost(const Ref<TGNetHost>& host);
/// TGNetHost::Sync: send local changes, take in the peers'.
/// @param host The host.
/// @sa RepObjects, RepMessages
void RepSync(const Ref<TGNetHost>& host);
/// TGNetHost::Listen on every local address.
/// @param host The host.
/// @param port The UDP port; 0 lets the system pick it.
/// @return true on success, false on failure.
/// @sa RepConnect
bool RepListen(const Ref<TGNetHost>& host, int port);
/// Resolves the address text first, then TGNetHost::Connect.
/// @param host The host.
/// @param address A host name or dotted address.
/// @param port The peer's UDP port.
/// @param timeoutMs The longest wait for the connection, in milliseconds.
/// @return true once connected; false otherwise, and for an address that does not resolve.
/// @sa RepListen
bool RepConnect(const Ref<TGNetHost>& host, const String& address, int port, int timeoutMs);
/// Throws "Unknown object state" for any other which.
/// @param host The host.
/// @param which 0 all objects, 1 created, 2 modified, 3 closed (by the last Sync).
/// @return The list of TGNetObject.
/// @sa RepSync, RepMessages
Ref<TList> RepObjects(const Ref<TGNetHost>& host, int which);
/// @param host The host.
/// @return The messages the last Sync delivered.
/// @sa RepMessageTarget, RepObjects
Ref<TList> RepMessages(const Ref<TGNetHost>& host);
/// TGNetHost::SetKey: replicate only with peers holding the same key. Call it before
/// RepListen or RepConnect.
/// @param host The host.
/// @param key TGNetHost::kKeyBytes bytes, the same on every host.
/// @return false, and no change, for a key of another length or a host that has peers.
/// @sa RepRefusals
bool RepSetKey(const Ref<TGNetHost>& host, const std::vector<std::uint8_t>& key);
/// @param host The host.
/// @return The TGNetRefusal events of the last RepSync: peers refused, and why.
/// @sa RepSetKey
Ref<TList> RepRefusals(const Ref<TGNetHost>& host);
/// TGNetHost::NewObject.
/// @param host The host.
/// @return A new local object; throws "Out of GNet object IDs" when no id is free.
/// @sa RepSetInt, RepCloseObject
Ref<TGNetObject> RepNewObject(const Ref<TGNetHost>& host);
/// TGNetHost::NewMessage.
/// @param host The host.
/// @return A new local message; throws "Out of GNet object IDs" when no id is free.
/// @sa RepSendMessage
Ref<TGNetObject> RepNewMessage(const Ref<TGNetHost>& host);
/// Sends the message to the owner of a remote target (TGNetHost::SendToTarget); a local target
/// gets nothing.
/// @param message A message from RepNewMessage.
/// @param target The object the message is for.
/// @sa RepMessages, RepMessageTarget
void RepSendMessage(const Ref<TGNetObject>& message, const Ref<TGNetObject>& target);
/// @param message A delivered message.
/// @return The object the message was sent to, or Null.
/// @sa RepMessages
Ref<TGNetObject> RepMessageTarget(const Ref<TGNetObject>& message);
/// @param object The object.
/// @return The object's GNetState.
int RepObjectState(const Ref<TGNetObject>& object);
/// @param object The object.
/// @return Whether this program made the object.
/// @sa RepIsRemote
bool RepIsLocal(const Ref<TGNetObject>& object);
/// @param object The object.
/// @return Whether a peer made the object.
/// @sa RepIsLocal
bool RepIsRemote(const Ref<TGNetObject>& object);
/// TGNetObject::SetInt: the changed slot is sent at the next Sync.
/// @param object The object.
/// @param slot 0..31; others throw TArrayBoundsException.
/// @param value The value.
/// @sa RepGetInt
void RepSetInt(const Ref<TGNetObject>& object, int slot, int value);
/// TGNetObject::SetFloat: the changed slot is sent at the next Sync.
/// @param object The object.
/// @param slot 0..31; others throw TArrayBoundsException.
/// @param value The value.
/// @sa RepGetFloat
void RepSetFloat(const Ref<TGNetObject>& object, int slot, float value);
/// TGNetObject::SetString: the changed slot is sent at the next Sync.
/// @param object The object.
/// @param slot 0..31; others throw TArrayBoundsException.
/// @param value The value.
/// @sa RepGetString
void RepSetString(const Ref<TGNetObject>& object, int slot, const String& value);
/// TGNetObject::GetInt.
/// @param object The object.
/// @param slot 0..31; others throw TArrayBoundsException.
/// @return The slot's integer.
/// @sa RepSetInt
int RepGetInt(const Ref<TGNetObject>& object, int slot);
/// TGNetObject::GetFloat.
/// @param object The object.
/// @param slot 0..31; others throw TArrayBoundsException.
/// @return The slot's float.
/// @sa RepSetFloat
float RepGetFloat(const Ref<TGNetObject>& object, int slot);
/// TGNetObject::GetString.
/// @param object The object.
/// @param slot 0..31; others throw TArrayBoundsException.
/// @return The slot's String.
/// @sa RepSetString
String RepGetString(const Ref<TGNetObject>& object, int slot);
/// Attaches an object of the program's to a replicated object; it is never sent.
/// @param object The replicated object.
/// @param value The program's object.
/// @sa RepUserObject
void RepSetUserObject(const Ref<TGNetObject>& object, Ref<Object> value);
/// @param object The replicated object.
/// @return The object the program attached to it (never sent), or Null.
/// @sa RepSetUserObject
Ref<Object> RepUserObject(const Ref<TGNetObject>& object);
/// TGNetObject::Close: announces the object's end at the next Sync.
/// @param object A local object.
/// @sa RepNewObject
void RepCloseObject(const Ref<TGNetObject>& object);

}  // namespace corvax
