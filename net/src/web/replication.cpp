// Object replication in a web page: ENet talks UDP, which a page has not, so no host can be made
// there. RepNewHost gives Null with one line saying so, and, as with any Null object, every
// call on a host or on an object of one (none can exist) throws TNullObjectException.
#include <corvax/net/replication.h>

#include <cstdio>

namespace corvax {

Ref<TGNetHost> RepNewHost() {
  std::fprintf(stderr,
               "corvax: a web page cannot replicate objects: ENet needs UDP sockets, which a "
               "page has not\n");
  return nullptr;
}

void RepCloseHost(const Ref<TGNetHost>&) {
  ThrowNullObject();
}
void RepSync(const Ref<TGNetHost>&) {
  ThrowNullObject();
}
bool RepListen(const Ref<TGNetHost>&, int) {
  ThrowNullObject();
}
bool RepConnect(const Ref<TGNetHost>&, const String&, int, int) {
  ThrowNullObject();
}
Ref<TList> RepObjects(const Ref<TGNetHost>&, int) {
  ThrowNullObject();
}
Ref<TList> RepMessages(const Ref<TGNetHost>&) {
  ThrowNullObject();
}
bool RepSetKey(const Ref<TGNetHost>&, const std::vector<std::uint8_t>&) {
  ThrowNullObject();
}
Ref<TList> RepRefusals(const Ref<TGNetHost>&) {
  ThrowNullObject();
}
Ref<TGNetObject> RepNewObject(const Ref<TGNetHost>&) {
  ThrowNullObject();
}
Ref<TGNetObject> RepNewMessage(const Ref<TGNetHost>&) {
  ThrowNullObject();
}
void RepSendMessage(const Ref<TGNetObject>&, const Ref<TGNetObject>&) {
  ThrowNullObject();
}
Ref<TGNetObject> RepMessageTarget(const Ref<TGNetObject>&) {
  ThrowNullObject();
}
int RepObjectState(const Ref<TGNetObject>&) {
  ThrowNullObject();
}
bool RepIsLocal(const Ref<TGNetObject>&) {
  ThrowNullObject();
}
bool RepIsRemote(const Ref<TGNetObject>&) {
  ThrowNullObject();
}
void RepSetInt(const Ref<TGNetObject>&, int, int) {
  ThrowNullObject();
}
void RepSetFloat(const Ref<TGNetObject>&, int, float) {
  ThrowNullObject();
}
void RepSetString(const Ref<TGNetObject>&, int, const String&) {
  ThrowNullObject();
}
int RepGetInt(const Ref<TGNetObject>&, int) {
  ThrowNullObject();
}
float RepGetFloat(const Ref<TGNetObject>&, int) {
  ThrowNullObject();
}
String RepGetString(const Ref<TGNetObject>&, int) {
  ThrowNullObject();
}
void RepSetUserObject(const Ref<TGNetObject>&, Ref<Object>) {
  ThrowNullObject();
}
Ref<Object> RepUserObject(const Ref<TGNetObject>&) {
  ThrowNullObject();
}
void RepCloseObject(const Ref<TGNetObject>&) {
  ThrowNullObject();
}

}  // namespace corvax
