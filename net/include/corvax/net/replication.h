#pragma once
/// @file
/// @ingroup net
/// The program's interface to object replication.
/// Call first: RepNewHost, then RepListen on one side and RepConnect on the other; RepSync
/// once a frame. Example: examples/replication.cpp.
#include <corvax/net/gnet_host.h>

namespace corvax {

/// A new host; Listen or Connect gives it a network end.
Ref<TGNetHost> RepNewHost();
/// TGNetHost::Close.
void RepCloseHost(const Ref<TGNetHost>& host);
/// TGNetHost::Sync: send local changes, take in the peers'.
void RepSync(const Ref<TGNetHost>& host);
/// TGNetHost::Listen on every local address: 1 on success, 0 on failure.
int RepListen(const Ref<TGNetHost>& host, int port);
/// Resolves the address text first; an address that does not resolve gives 0.
int RepConnect(const Ref<TGNetHost>& host, const String& address, int port, int timeoutMs);
/// which: 0 all objects, 1 created, 2 modified, 3 closed; else throws "Unknown object state".
Ref<TList> RepObjects(const Ref<TGNetHost>& host, int which);
/// The messages the last Sync delivered.
Ref<TList> RepMessages(const Ref<TGNetHost>& host);
/// A new local object or message (TGNetHost::NewObject, NewMessage).
///@{
Ref<TGNetObject> RepNewObject(const Ref<TGNetHost>& host);
Ref<TGNetObject> RepNewMessage(const Ref<TGNetHost>& host);
///@}
/// Sends the message to the owner of a remote target (TGNetHost::SendToTarget).
void RepSendMessage(const Ref<TGNetObject>& message, const Ref<TGNetObject>& target);
/// The object a delivered message was sent to, or Null.
Ref<TGNetObject> RepMessageTarget(const Ref<TGNetObject>& message);
/// The object's GNetState.
int RepObjectState(const Ref<TGNetObject>& object);
/// Whether this program made the object, or a peer did.
///@{
bool RepIsLocal(const Ref<TGNetObject>& object);
bool RepIsRemote(const Ref<TGNetObject>& object);
///@}
/// TGNetObject's slot setters and getters.
///@{
void RepSetInt(const Ref<TGNetObject>& object, int slot, int value);
void RepSetFloat(const Ref<TGNetObject>& object, int slot, float value);
void RepSetString(const Ref<TGNetObject>& object, int slot, const String& value);
int RepGetInt(const Ref<TGNetObject>& object, int slot);
float RepGetFloat(const Ref<TGNetObject>& object, int slot);
String RepGetString(const Ref<TGNetObject>& object, int slot);
///@}
/// The object the program attached to a replicated object (never sent).
///@{
void RepSetUserObject(const Ref<TGNetObject>& object, Ref<Object> value);
Ref<Object> RepUserObject(const Ref<TGNetObject>& object);
///@}
/// TGNetObject::Close: announces the object's end at the next Sync.
void RepCloseObject(const Ref<TGNetObject>& object);

}  // namespace corvax
