#include <corvax/stream/stream_module.h>

#include <corvax/runtime/runtime_module.h>

namespace corvax {

void StartupStreamModule() {
  static bool started = false;
  if (started) return;
  started = true;
  StartupRuntimeModule();
  StartupDataModule();
  StartupBankModule();
  New<TRamStreamFactory>();
  New<TXEndianStreamFactory>();
  New<TTextStreamFactory>();
  StartupConsole();
}

}  // namespace corvax
