#pragma once
// The bytes of a run recording (the layout is documented in <corvax/system/run_recording.h>):
// the records in the order the program met them, and the check that keeps a damaged or cut-off
// file from being replayed.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <corvax/system/backend/run_gate.h>

namespace corvax {

inline constexpr std::uint16_t kRunFormatVersion = 1;
// The header's size, and where in it the record count stands (32 bits, little-endian).
inline constexpr std::size_t kRunHeaderSize = 26;
inline constexpr std::size_t kRunCountOffset = 14;

enum class RunRecordKind : std::uint8_t {
  Point = 1,  // the program let the system deliver events (a pump, a wait, a pointer move)
  Event = 2,
  Tick = 3,
  Clock = 4,
  Frame = 5,  // a presented frame
};

// What an event concerns, so that a replay can give it the same object of its own run.
enum class RunSourceKind : std::uint8_t {
  None = 0,
  Window = 1,  // the n-th window that got an event source
  Timer = 2,   // the n-th timer started
};

struct RunRecord {
  RunRecordKind kind = RunRecordKind::Point;
  // Event
  std::int32_t id = 0;
  RunSourceKind sourceKind = RunSourceKind::None;
  std::uint32_t source = 0;  // the window's or timer's number (Event, Tick)
  std::int32_t data = 0;
  std::int32_t mods = 0;
  std::int32_t x = 0;
  std::int32_t y = 0;
  // Clock
  RunClockId clock = RunClockId::Monotonic;
  std::int64_t reading = 0;
};

struct RunFile {
  std::int32_t randomSeed = 0;
  std::vector<RunRecord> records;
};

// Appends one record's bytes to a payload.
void EncodeRunRecord(const RunRecord& record, std::vector<std::uint8_t>& payload);
// The whole file: header, check and payload.
std::vector<std::uint8_t> EncodeRunFile(std::int32_t randomSeed, std::uint32_t recordCount,
                                        const std::vector<std::uint8_t>& payload);
// Nothing, and why in `error`, for bytes that are not a whole, undamaged recording this
// version reads.
std::optional<RunFile> DecodeRunFile(const std::vector<std::uint8_t>& bytes, std::string& error);

}  // namespace corvax
