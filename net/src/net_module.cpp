#include <corvax/net/net_module.h>

#include <enet/enet.h>

#include <corvax/runtime/runtime_module.h>
#include <corvax/stream/stream_module.h>

namespace corvax {

void StartupSocketModule() {
  static bool started = false;
  if (started) return;
  started = true;
  // BSD sockets need no process-wide set-up, and a broken connection never raises SIGPIPE
  // because every send asks the kernel not to.
  StartupRuntimeModule();
}

void StartupSocketStreamModule() {
  static bool started = false;
  if (started) return;
  started = true;
  StartupStreamCoreModule();
  StartupSocketModule();
  New<TSocketStreamFactory>();
  New<THTTPStreamFactory>();
}

void StartupReplicationModule() {
  static bool started = false;
  if (started) return;
  started = true;
  StartupSocketModule();
  if (enet_initialize() != 0) ThrowRuntimeError(u"Unable to start ENet");
  AddExitAction([] { enet_deinitialize(); });
}

void StartupNetModule() {
  static bool started = false;
  if (started) return;
  started = true;
  StartupSocketModule();
  StartupSocketStreamModule();
  StartupReplicationModule();
}

}  // namespace corvax
