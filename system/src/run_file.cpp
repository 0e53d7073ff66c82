#include "run_file.h"

#include <algorithm>
#include <array>
#include <cstring>

#include <zlib.h>

namespace corvax {
namespace {

constexpr std::array<std::uint8_t, 8> kMagic = {'C', 'V', 'X', 'R', 'U', 'N', 0x1A, '\n'};
constexpr std::size_t kVersionOffset = 8;
constexpr std::size_t kSeedOffset = 10;
constexpr std::size_t kLengthOffset = 18;
constexpr std::size_t kCheckOffset = 22;

void PutU8(std::vector<std::uint8_t>& out, std::uint8_t value) {
  out.push_back(value);
}

void PutLittleEndian(std::vector<std::uint8_t>& out, std::uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  PutLittleEndian(out, value, 4);
}

std::uint32_t Check(const std::uint8_t* header, const std::uint8_t* payload, std::size_t length) {
  uLong crc = crc32(0L, Z_NULL, 0);
  crc = crc32(crc, header, static_cast<uInt>(kCheckOffset));
  // zlib takes its lengths as uInt; a payload is read in pieces that fit.
  constexpr std::size_t kPiece = 1u << 30;
  for (std::size_t done = 0; done < length; done += kPiece) {
    const std::size_t piece = std::min(kPiece, length - done);
    crc = crc32(crc, payload + done, static_cast<uInt>(piece));
  }
  return static_cast<std::uint32_t>(crc);
}

// Reads the payload's records, each whole and of a known kind, or says what is wrong.
class PayloadReader {
 public:
  PayloadReader(const std::uint8_t* bytes, std::size_t length) : bytes_(bytes), length_(length) {}

  bool AtEnd() const { return position_ == length_; }
  std::size_t Position() const { return position_; }

  bool Take(std::size_t count) {
    if (length_ - position_ < count) return false;
    position_ += count;
    return true;
  }
  std::uint64_t Value(std::size_t offset, int bytes) const {
    std::uint64_t value = 0;
    for (int i = 0; i < bytes; ++i) {
      value |= static_cast<std::uint64_t>(bytes_[offset + static_cast<std::size_t>(i)]) << (8 * i);
    }
    return value;
  }
  std::uint8_t Byte(std::size_t offset) const { return bytes_[offset]; }

 private:
  const std::uint8_t* bytes_;
  std::size_t length_;
  std::size_t position_ = 0;
};

constexpr std::size_t kEventSize = 1 + 4 + 1 + 4 + 4 * 4;
constexpr std::size_t kTickSize = 1 + 4;
constexpr std::size_t kClockSize = 1 + 1 + 8;

std::int32_t Signed32(std::uint64_t value) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

// One record at the reader's position; false with `error` set when it is not a valid one.
bool ReadRecord(PayloadReader& reader, const std::uint8_t* payload, RunRecord& record,
                std::string& error) {
  const std::size_t at = reader.Position();
  const std::uint8_t kind = payload[at];
  const auto cut = [&] {
    error = "record at payload byte " + std::to_string(at) + " is cut off";
    return false;
  };
  record = RunRecord{};
  switch (static_cast<RunRecordKind>(kind)) {
    case RunRecordKind::Point:
    case RunRecordKind::Frame:
      reader.Take(1);
      record.kind = static_cast<RunRecordKind>(kind);
      return true;
    case RunRecordKind::Event: {
      if (!reader.Take(kEventSize)) return cut();
      const std::uint8_t sourceKind = reader.Byte(at + 5);
      if (sourceKind > static_cast<std::uint8_t>(RunSourceKind::Timer)) {
        error = "event at payload byte " + std::to_string(at) + " has an unknown source kind " +
                std::to_string(sourceKind);
        return false;
      }
      record.kind = RunRecordKind::Event;
      record.id = Signed32(reader.Value(at + 1, 4));
      record.sourceKind = static_cast<RunSourceKind>(sourceKind);
      record.source = static_cast<std::uint32_t>(reader.Value(at + 6, 4));
      record.data = Signed32(reader.Value(at + 10, 4));
      record.mods = Signed32(reader.Value(at + 14, 4));
      record.x = Signed32(reader.Value(at + 18, 4));
      record.y = Signed32(reader.Value(at + 22, 4));
      return true;
    }
    case RunRecordKind::Tick:
      if (!reader.Take(kTickSize)) return cut();
      record.kind = RunRecordKind::Tick;
      record.sourceKind = RunSourceKind::Timer;
      record.source = static_cast<std::uint32_t>(reader.Value(at + 1, 4));
      return true;
    case RunRecordKind::Clock: {
      if (!reader.Take(kClockSize)) return cut();
      const std::uint8_t clock = reader.Byte(at + 1);
      if (clock != static_cast<std::uint8_t>(RunClockId::Monotonic) &&
          clock != static_cast<std::uint8_t>(RunClockId::Calendar)) {
        error = "clock reading at payload byte " + std::to_string(at) + " names an unknown clock " +
                std::to_string(clock);
        return false;
      }
      record.kind = RunRecordKind::Clock;
      record.clock = static_cast<RunClockId>(clock);
      record.reading = static_cast<std::int64_t>(reader.Value(at + 2, 8));
      return true;
    }
  }
  error = "unknown record kind " + std::to_string(kind) + " at payload byte " + std::to_string(at);
  return false;
}

}  // namespace

void EncodeRunRecord(const RunRecord& record, std::vector<std::uint8_t>& payload) {
  PutU8(payload, static_cast<std::uint8_t>(record.kind));
  switch (record.kind) {
    case RunRecordKind::Point:
    case RunRecordKind::Frame:
      return;
    case RunRecordKind::Event:
      Put32(payload, static_cast<std::uint32_t>(record.id));
      PutU8(payload, static_cast<std::uint8_t>(record.sourceKind));
      Put32(payload, record.source);
      Put32(payload, static_cast<std::uint32_t>(record.data));
      Put32(payload, static_cast<std::uint32_t>(record.mods));
      Put32(payload, static_cast<std::uint32_t>(record.x));
      Put32(payload, static_cast<std::uint32_t>(record.y));
      return;
    case RunRecordKind::Tick:
      Put32(payload, record.source);
      return;
    case RunRecordKind::Clock:
      PutU8(payload, static_cast<std::uint8_t>(record.clock));
      PutLittleEndian(payload, static_cast<std::uint64_t>(record.reading), 8);
      return;
  }
}

std::vector<std::uint8_t> EncodeRunFile(std::int32_t randomSeed, std::uint32_t recordCount,
                                        const std::vector<std::uint8_t>& payload) {
  std::vector<std::uint8_t> file(kMagic.begin(), kMagic.end());
  PutLittleEndian(file, kRunFormatVersion, 2);
  Put32(file, static_cast<std::uint32_t>(randomSeed));
  Put32(file, recordCount);
  Put32(file, static_cast<std::uint32_t>(payload.size()));
  Put32(file, Check(file.data(), payload.data(), payload.size()));
  file.insert(file.end(), payload.begin(), payload.end());
  return file;
}

std::optional<RunFile> DecodeRunFile(const std::vector<std::uint8_t>& bytes, std::string& error) {
  if (bytes.size() < kMagic.size() ||
      std::memcmp(bytes.data(), kMagic.data(), kMagic.size()) != 0) {
    error = "not a Corvax run recording";
    return std::nullopt;
  }
  if (bytes.size() < kRunHeaderSize) {
    error = "truncated: the header needs " + std::to_string(kRunHeaderSize) +
            " bytes, the file has " + std::to_string(bytes.size());
    return std::nullopt;
  }
  PayloadReader header(bytes.data(), kRunHeaderSize);
  const auto version = static_cast<std::uint16_t>(header.Value(kVersionOffset, 2));
  if (version != kRunFormatVersion) {
    error = "format version " + std::to_string(version) + " (this program reads version " +
            std::to_string(kRunFormatVersion) + ")";
    return std::nullopt;
  }
  const std::uint64_t length = header.Value(kLengthOffset, 4);
  const std::uint64_t present = bytes.size() - kRunHeaderSize;
  if (present < length) {
    error = "truncated: " + std::to_string(present) + " of " + std::to_string(length) +
            " payload bytes";
    return std::nullopt;
  }
  if (present > length) {
    error = std::to_string(present - length) + " bytes after the end of the recording";
    return std::nullopt;
  }
  const std::uint8_t* payload = bytes.data() + kRunHeaderSize;
  if (Check(bytes.data(), payload, length) != header.Value(kCheckOffset, 4)) {
    error = "damaged: the check does not match the contents";
    return std::nullopt;
  }
  const std::uint64_t count = header.Value(kRunCountOffset, 4);
  RunFile file;
  file.randomSeed = Signed32(header.Value(kSeedOffset, 4));
  // The count is not trusted for the allocation: each record takes at least one byte.
  file.records.reserve(static_cast<std::size_t>(std::min(count, length)));
  PayloadReader reader(payload, length);
  while (!reader.AtEnd()) {
    RunRecord record;
    if (!ReadRecord(reader, payload, record, error)) return std::nullopt;
    file.records.push_back(record);
  }
  if (file.records.size() != count) {
    error = "the header announces " + std::to_string(count) + " records, the payload holds " +
            std::to_string(file.records.size());
    return std::nullopt;
  }
  return file;
}

}  // namespace corvax
