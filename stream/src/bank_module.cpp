#include <corvax/runtime/start_once.h>
#include <corvax/stream/bank_data_type.h>
#include <corvax/stream/bank_stream.h>
#include <corvax/stream/data_stream.h>

namespace corvax {

void StartupBankModule() {
  static bool started = false;
  if (!StartOnce(started)) return;
  StartupDataModule();
  TBankDataType::Instance();
  New<TBankStreamFactory>();
}

}  // namespace corvax
