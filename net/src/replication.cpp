#include <corvax/net/replication.h>

#include <corvax/net/host_names.h>

namespace corvax {

Ref<TGNetHost> RepNewHost() {
  return TGNetHost::Create();
}
void RepCloseHost(const Ref<TGNetHost>& host) {
  host->Close();
}
void RepSync(const Ref<TGNetHost>& host) {
  host->Sync();
}
bool RepListen(const Ref<TGNetHost>& host, int port) {
  return host->Listen(port);
}
bool RepConnect(const Ref<TGNetHost>& host, const String& address, int port, int timeoutMs) {
  const int ip = ResolveHostAddress(address, 0);
  return ip == 0 ? 0 : host->Connect(ip, port, timeoutMs);
}
Ref<TList> RepObjects(const Ref<TGNetHost>& host, int which) {
  switch (which) {
    case 0:
      return host->ObjectList();
    case 1:
      return host->CreatedList();
    case 2:
      return host->ModifiedList();
    case 3:
      return host->ClosedList();
    default:
      throw TThrownString(u"Unknown object state");
  }
}
bool RepSetKey(const Ref<TGNetHost>& host, const std::vector<std::uint8_t>& key) {
  return host->SetKey(key);
}
Ref<TList> RepRefusals(const Ref<TGNetHost>& host) {
  return host->RefusedList();
}
Ref<TList> RepMessages(const Ref<TGNetHost>& host) {
  return host->MessageList();
}
Ref<TGNetObject> RepNewObject(const Ref<TGNetHost>& host) {
  return host->NewObject();
}
Ref<TGNetObject> RepNewMessage(const Ref<TGNetHost>& host) {
  return host->NewMessage();
}
void RepSendMessage(const Ref<TGNetObject>& message, const Ref<TGNetObject>& target) {
  message->Host()->SendToTarget(message, target);
}
Ref<TGNetObject> RepMessageTarget(const Ref<TGNetObject>& message) {
  return message->Host()->ObjectWithId(message->Id());
}
int RepObjectState(const Ref<TGNetObject>& object) {
  return object->State();
}
bool RepIsLocal(const Ref<TGNetObject>& object) {
  return !object->Owner();
}
bool RepIsRemote(const Ref<TGNetObject>& object) {
  return static_cast<bool>(object->Owner());
}
void RepSetInt(const Ref<TGNetObject>& object, int slot, int value) {
  object->SetInt(slot, value);
}
void RepSetFloat(const Ref<TGNetObject>& object, int slot, float value) {
  object->SetFloat(slot, value);
}
void RepSetString(const Ref<TGNetObject>& object, int slot, const String& value) {
  object->SetString(slot, value);
}
int RepGetInt(const Ref<TGNetObject>& object, int slot) {
  return object->GetInt(slot);
}
float RepGetFloat(const Ref<TGNetObject>& object, int slot) {
  return object->GetFloat(slot);
}
String RepGetString(const Ref<TGNetObject>& object, int slot) {
  return object->GetString(slot);
}
void RepSetUserObject(const Ref<TGNetObject>& object, Ref<Object> value) {
  object->SetUserObject(std::move(value));
}
Ref<Object> RepUserObject(const Ref<TGNetObject>& object) {
  return object->UserObject();
}
void RepCloseObject(const Ref<TGNetObject>& object) {
  object->Close();
}

}  // namespace corvax
