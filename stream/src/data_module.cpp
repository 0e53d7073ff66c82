#include <corvax/runtime/runtime_module.h>
#include <corvax/stream/data_list_type.h>
#include <corvax/stream/data_stream.h>

namespace corvax {

void StartupDataModule() {
  static bool started = false;
  if (started) return;
  started = true;
  StartupRuntimeModule();
  New<TDataStreamFactory>();
  New<TListDataType>();
}

}  // namespace corvax
