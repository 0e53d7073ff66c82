// The recording's bytes: what is written reads back the same, and anything else is refused
// with the reason.
#include <gtest/gtest.h>

#include <string>

#include "run_file.h"

namespace corvax {
namespace {

constexpr std::size_t kHeaderSize = 26;
constexpr std::size_t kCountOffset = 14;

std::vector<RunRecord> SampleRecords() {
  RunRecord point;
  RunRecord key;
  key.kind = RunRecordKind::Event;
  key.id = 0x201;
  key.sourceKind = RunSourceKind::Window;
  key.source = 3;
  key.data = 65;
  key.mods = 1;
  key.x = -7;
  key.y = 1 << 20;
  RunRecord tick;
  tick.kind = RunRecordKind::Tick;
  tick.sourceKind = RunSourceKind::Timer;
  tick.source = 2;
  RunRecord clock;
  clock.kind = RunRecordKind::Clock;
  clock.clock = RunClockId::Calendar;
  clock.reading = -1234567890123LL;
  RunRecord frame;
  frame.kind = RunRecordKind::Frame;
  return {point, key, tick, clock, frame};
}

std::vector<std::uint8_t> SampleFile(std::int32_t seed = 4660) {
  std::vector<std::uint8_t> payload;
  const std::vector<RunRecord> records = SampleRecords();
  for (const RunRecord& record : records) EncodeRunRecord(record, payload);
  return EncodeRunFile(seed, static_cast<std::uint32_t>(records.size()), payload);
}

// Puts a little-endian 32-bit value and makes the check match again, as a file that lies
// consistently would.
void Lie(std::vector<std::uint8_t>& file, std::size_t offset, std::uint32_t value) {
  std::vector<std::uint8_t> payload(file.begin() + kHeaderSize, file.end());
  std::vector<std::uint8_t> header(file.begin(), file.begin() + kHeaderSize);
  for (int i = 0; i < 4; ++i) header[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
  const auto count =
      static_cast<std::uint32_t>(header[kCountOffset] | header[kCountOffset + 1] << 8 |
                                 header[kCountOffset + 2] << 16 | header[kCountOffset + 3] << 24);
  const std::int32_t seed =
      static_cast<std::int32_t>(header[10] | header[11] << 8 | header[12] << 16 | header[13] << 24);
  file = EncodeRunFile(seed, count, payload);
}

std::string Refusal(const std::vector<std::uint8_t>& file) {
  std::string error;
  EXPECT_FALSE(DecodeRunFile(file, error));
  return error;
}

TEST(RunFile, ReadsBackEveryRecordAndTheSeedAsWritten) {
  std::string error;
  const std::optional<RunFile> file = DecodeRunFile(SampleFile(-5), error);
  ASSERT_TRUE(file) << error;
  EXPECT_EQ(file->randomSeed, -5);
  const std::vector<RunRecord> expected = SampleRecords();
  ASSERT_EQ(file->records.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const RunRecord& got = file->records[i];
    EXPECT_EQ(got.kind, expected[i].kind) << i;
    EXPECT_EQ(got.id, expected[i].id) << i;
    EXPECT_EQ(got.sourceKind, expected[i].sourceKind) << i;
    EXPECT_EQ(got.source, expected[i].source) << i;
    EXPECT_EQ(got.data, expected[i].data) << i;
    EXPECT_EQ(got.mods, expected[i].mods) << i;
    EXPECT_EQ(got.x, expected[i].x) << i;
    EXPECT_EQ(got.y, expected[i].y) << i;
    EXPECT_EQ(got.clock, expected[i].clock) << i;
    EXPECT_EQ(got.reading, expected[i].reading) << i;
  }
}

TEST(RunFile, IsLittleEndianWithTheMagicAndVersionFirst) {
  const std::vector<std::uint8_t> file = SampleFile(0x01020304);
  const std::vector<std::uint8_t> start(file.begin(), file.begin() + 14);
  EXPECT_EQ(start, (std::vector<std::uint8_t>{'C', 'V', 'X', 'R', 'U', 'N', 0x1A, '\n', 1, 0, 4, 3,
                                              2, 1}));
  EXPECT_EQ(file[kCountOffset], 5);
}

TEST(RunFile, AnEmptyRunIsAWholeRecording) {
  std::string error;
  const std::optional<RunFile> file = DecodeRunFile(EncodeRunFile(1, 0, {}), error);
  ASSERT_TRUE(file) << error;
  EXPECT_TRUE(file->records.empty());
}

TEST(RunFile, RefusesWhatIsNoRecordingOrAnotherVersion) {
  EXPECT_EQ(Refusal({}), "not a Corvax run recording");
  EXPECT_EQ(Refusal({'P', 'N', 'G', 0, 0, 0, 0, 0, 0, 0}), "not a Corvax run recording");
  std::vector<std::uint8_t> file = SampleFile();
  file[8] = 2;
  EXPECT_EQ(Refusal(file), "format version 2 (this program reads version 1)");
}

TEST(RunFile, RefusesATruncatedFileAtEveryLength) {
  const std::vector<std::uint8_t> file = SampleFile();
  for (std::size_t length = 8; length < file.size(); ++length) {
    const std::string error = Refusal({file.begin(), file.begin() + length});
    EXPECT_EQ(error.rfind("truncated: ", 0), 0u) << length << ": " << error;
  }
  EXPECT_EQ(Refusal({file.begin(), file.end() - 3}), "truncated: 40 of 43 payload bytes");
}

TEST(RunFile, RefusesBytesAfterTheEnd) {
  std::vector<std::uint8_t> file = SampleFile();
  file.push_back(5);
  EXPECT_EQ(Refusal(file), "1 bytes after the end of the recording");
}

TEST(RunFile, RefusesAnyChangedByteThroughTheCheck) {
  const std::vector<std::uint8_t> good = SampleFile();
  for (std::size_t at = 10; at < good.size(); ++at) {
    if (at >= 18 && at < kHeaderSize) continue;  // the length and check say other things
    std::vector<std::uint8_t> file = good;
    file[at] ^= 0x10;
    EXPECT_EQ(Refusal(file), "damaged: the check does not match the contents") << at;
  }
}

TEST(RunFile, RefusesARecordingThatLiesAboutItsRecordsEvenWithAMatchingCheck) {
  std::vector<std::uint8_t> file = SampleFile();
  Lie(file, kCountOffset, 6);
  EXPECT_EQ(Refusal(file), "the header announces 6 records, the payload holds 5");
  file = SampleFile();
  Lie(file, kCountOffset, 0xFFFFFFFF);
  EXPECT_EQ(Refusal(file), "the header announces 4294967295 records, the payload holds 5");
}

TEST(RunFile, RefusesUnknownAndCutOffRecordsWithWhereTheyAre) {
  const auto withPayload = [](std::vector<std::uint8_t> payload, std::uint32_t count) {
    return EncodeRunFile(0, count, payload);
  };
  EXPECT_EQ(Refusal(withPayload({1, 9}, 2)), "unknown record kind 9 at payload byte 1");
  EXPECT_EQ(Refusal(withPayload({1, 2, 1, 2, 0}, 2)), "record at payload byte 1 is cut off");
  std::vector<std::uint8_t> event(26, 0);
  event[0] = 2;
  event[5] = 7;
  EXPECT_EQ(Refusal(withPayload(event, 1)), "event at payload byte 0 has an unknown source kind 7");
  EXPECT_EQ(Refusal(withPayload({4, 3, 0, 0, 0, 0, 0, 0, 0, 0}, 1)),
            "clock reading at payload byte 0 names an unknown clock 3");
  EXPECT_EQ(Refusal(withPayload({3, 1, 0}, 1)), "record at payload byte 0 is cut off");
}

}  // namespace
}  // namespace corvax
