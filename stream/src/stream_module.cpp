#include <corvax/stream/stream_module.h>

#include <corvax/runtime/runtime_module.h>

namespace corvax {

void StartupStreamCoreModule() {
  static bool started = false;
  if (started) return;
  started = true;
  StartupRuntimeModule();
  StartupDataModule();
  StartupBankModule();
  New<TRamStreamFactory>();
  New<TXEndianStreamFactory>();
}

void StartupTextStreamModule() {
  static bool started = false;
  if (started) return;
  started = true;
  StartupStreamCoreModule();
  New<TTextStreamFactory>();
  StartupConsole();
}

void StartupStreamModule() {
  StartupStreamCoreModule();
  StartupTextStreamModule();
}

}  // namespace corvax
