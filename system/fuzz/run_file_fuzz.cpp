// The run recording's reader, and a replay of what it accepts. The input is read as a whole
// file, then its bytes after the header are read again as the payload of a file with a matching
// check, so that the records themselves are explored and not only the check that guards them.
// Whatever is accepted is replayed by a small program that pumps, reads the clocks, starts a
// timer and presents, against a platform that delivers nothing.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include <corvax/stream/ram_stream.h>
#include <corvax/system/backend/run_gate.h>
#include <corvax/system/system_module.h>

#include "run_file.h"
#include "silent_driver.h"

namespace {

using namespace corvax;

constexpr int kProgramSteps = 64;

void Replay(std::vector<std::uint8_t> file) {
  const Ref<TStream> stream =
      CreateRamStream(file.data(), static_cast<int>(file.size()), true, false);
  if (!ReplayRun(stream)) return;
  const Ref<Object> window = New<Object>();
  NoteWindowSource(window);
  for (int step = 0; step < kProgramSteps && IsReplayingRun(); ++step) {
    switch (step % 5) {
      case 0:
        PumpSystem();
        break;
      case 1:
        ReadRunClock(RunClockId::Monotonic, step);
        break;
      case 2:
        static_cast<void>(CurrentTimeText());
        break;
      case 3:
        AwaitSystem();
        break;
      default:
        NoteRunFrame();
        break;
    }
  }
  StopReplay();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool started = [] {
    StartupSystemModule();
    SetSystemDriver(New<testing::SilentDriver>());
    return true;
  }();
  static_cast<void>(started);
  const std::vector<std::uint8_t> bytes(data, data + size);
  std::string error;
  if (DecodeRunFile(bytes, error)) Replay(bytes);
  if (size >= kRunHeaderSize) {
    const std::vector<std::uint8_t> payload(data + kRunHeaderSize, data + size);
    const std::uint8_t* field = data + kRunCountOffset;
    const std::uint32_t count =
        field[0] | field[1] << 8 | field[2] << 16 | static_cast<std::uint32_t>(field[3]) << 24;
    const std::vector<std::uint8_t> checked =
        EncodeRunFile(static_cast<std::int32_t>(count), count, payload);
    if (DecodeRunFile(checked, error)) Replay(checked);
  }
  return 0;
}
