#pragma once
/// @file
/// The program's interface to object replication.
/// Start-up: StartupCorvax() from <corvax/corvax.h>, or StartupNetModule() for this module alone,
/// before any other call.
#include <corvax/net/gnet_host.h>

namespace corvax {

Ref<TGNetHost> RepNewHost();
void RepCloseHost(const Ref<TGNetHost>& host);
void RepSync(const Ref<TGNetHost>& host);
int RepListen(const Ref<TGNetHost>& host, int port);
/// Resolves the address text first; an address that does not resolve gives 0.
int RepConnect(const Ref<TGNetHost>& host, const String& address, int port, int timeoutMs);
/// which: 0 all objects, 1 created, 2 modified, 3 closed; else throws "Unknown object state".
Ref<TList> RepObjects(const Ref<TGNetHost>& host, int which);
Ref<TList> RepMessages(const Ref<TGNetHost>& host);
Ref<TGNetObject> RepNewObject(const Ref<TGNetHost>& host);
Ref<TGNetObject> RepNewMessage(const Ref<TGNetHost>& host);
void RepSendMessage(const Ref<TGNetObject>& message, const Ref<TGNetObject>& target);
Ref<TGNetObject> RepMessageTarget(const Ref<TGNetObject>& message);
int RepObjectState(const Ref<TGNetObject>& object);
bool RepIsLocal(const Ref<TGNetObject>& object);
bool RepIsRemote(const Ref<TGNetObject>& object);
void RepSetInt(const Ref<TGNetObject>& object, int slot, int value);
void RepSetFloat(const Ref<TGNetObject>& object, int slot, float value);
void RepSetString(const Ref<TGNetObject>& object, int slot, const String& value);
int RepGetInt(const Ref<TGNetObject>& object, int slot);
float RepGetFloat(const Ref<TGNetObject>& object, int slot);
String RepGetString(const Ref<TGNetObject>& object, int slot);
void RepSetUserObject(const Ref<TGNetObject>& object, Ref<Object> value);
Ref<Object> RepUserObject(const Ref<TGNetObject>& object);
void RepCloseObject(const Ref<TGNetObject>& object);

}  // namespace corvax
