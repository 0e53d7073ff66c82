#include <corvax/net/net_module.h>

#ifdef CORVAX_WITH_REPLICATION
#include <enet/enet.h>
#include <sodium.h>
#endif

#include <corvax/runtime/runtime_module.h>
#include <corvax/stream/stream_module.h>

namespace corvax {

void StartupSocketModule() {
  static bool started = false;
  if (!StartOnce(started)) return;
  // BSD sockets need no process-wide set-up, and a broken connection never raises SIGPIPE
  // because every send asks the kernel not to; Winsock starts on first use.
  StartupRuntimeModule();
}

void StartupSocketStreamModule() {
  static bool started = false;
  if (!StartOnce(started)) return;
  StartupStreamCoreModule();
  StartupSocketModule();
  New<TSocketStreamFactory>();
  New<THTTPStreamFactory>();
}

#ifdef CORVAX_WITH_REPLICATION
void StartupReplicationModule() {
  static bool started = false;
  if (!StartOnce(started)) return;
  StartupSocketModule();
  if (enet_initialize() != 0) ThrowRuntimeError(u"Unable to start ENet");
  AddExitAction([] { enet_deinitialize(); });
  // Shared keys draw their nonces from libsodium, which picks its implementations here.
  if (sodium_init() < 0) ThrowRuntimeError(u"Unable to start libsodium");
}
#endif

void StartupNetModule() {
  static bool started = false;
  if (!StartOnce(started)) return;
  StartupSocketModule();
  StartupSocketStreamModule();
#ifdef CORVAX_WITH_REPLICATION
  StartupReplicationModule();
#endif
}

}  // namespace corvax
