#include <corvax/stream/stream_module.h>

#include <corvax/runtime/runtime_module.h>

namespace corvax {

void StartupStreamCoreModule() {
  static bool started = false;
  if (!StartOnce(started)) return;
  StartupRuntimeModule();
  StartupDataModule();
  StartupBankModule();
  New<TRamStreamFactory>();
  New<TXEndianStreamFactory>();
}

void StartupTextStreamModule() {
  static bool started = false;
  if (!StartOnce(started)) return;
  StartupStreamCoreModule();
  New<TTextStreamFactory>();
  StartupConsole();
}

void StartupStreamModule() {
  StartupStreamCoreModule();
  StartupTextStreamModule();
}

}  // namespace corvax
