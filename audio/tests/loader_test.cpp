#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <numbers>
#include <string>
#include <vector>

#include <corvax/audio/audio_module.h>
#include <corvax/stream/open_url.h>
#include <corvax/stream/ram_stream.h>

#include <ogg/ogg.h>

#include "memory_streams.h"
#include "temp_dir.h"

namespace corvax {
namespace {

using Bytes = std::vector<unsigned char>;

// WAV files written byte by byte, so that every header field is under the test's control.
struct WavWriter {
  Bytes bytes;
  void Tag(const char* tag) { bytes.insert(bytes.end(), tag, tag + 4); }
  void U16(int v) {
    bytes.push_back(static_cast<unsigned char>(v));
    bytes.push_back(static_cast<unsigned char>(v >> 8));
  }
  void U32(std::uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<unsigned char>(v >> (8 * i)));
  }
  void Header(int channels, int bits, int hertz, int fmtSize = 16, int formatTag = 1) {
    Tag("RIFF");
    U32(0);
    Tag("WAVE");
    Tag("fmt ");
    U32(static_cast<std::uint32_t>(fmtSize));
    U16(formatTag);
    U16(channels);
    U32(static_cast<std::uint32_t>(hertz));
    U32(static_cast<std::uint32_t>(hertz * channels * bits / 8));
    U16(channels * bits / 8);
    U16(bits);
    for (int i = 16; i < fmtSize; ++i) bytes.push_back(0xEE);
  }
  void Chunk(const char* tag, const Bytes& data, std::uint32_t size) {
    Tag(tag);
    U32(size);
    bytes.insert(bytes.end(), data.begin(), data.end());
  }
};

Bytes Counting(int n) {
  Bytes data;
  for (int i = 0; i < n; ++i) data.push_back(static_cast<unsigned char>(i * 7 + 1));
  return data;
}

class LoaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    StartupOggLoaderModule();
    StartupWavLoaderModule();
  }
  static Ref<TAudioSample> Load(const Bytes& bytes) {
    return ReadAudioSample(New<testing::ProbeStream>(bytes));
  }
};

TEST_F(LoaderTest, WavFormatsMapToSampleFormats) {
  const struct {
    int channels, bits, format;
  } cases[] = {{1, 8, Mono8}, {2, 8, Stereo8}, {1, 16, Mono16LE}, {2, 16, Stereo16LE}};
  for (const auto& c : cases) {
    WavWriter wav;
    wav.Header(c.channels, c.bits, 22050);
    wav.Chunk("data", Counting(12), 12);
    const Ref<TAudioSample> sample = Load(wav.bytes);
    ASSERT_TRUE(sample) << c.channels << "x" << c.bits;
    EXPECT_EQ(sample->format, c.format);
    EXPECT_EQ(sample->hertz, 22050);
    EXPECT_EQ(sample->length, 12 / BytesPerFrame(c.format));
    EXPECT_EQ(Bytes(sample->samples, sample->samples + 12), Counting(12));
  }
}

TEST_F(LoaderTest, WavSkipsExtraChunksAndLongFmt) {
  WavWriter wav;
  wav.Header(2, 16, 44100, 18);
  wav.Chunk("LIST", Counting(5), 5);
  wav.bytes.push_back(0);  // pad byte of the odd-sized chunk
  wav.Chunk("data", Counting(1001), 1001);
  const Ref<TAudioSample> sample = Load(wav.bytes);
  ASSERT_TRUE(sample);
  EXPECT_EQ(sample->length, 250);
  EXPECT_EQ(Bytes(sample->samples, sample->samples + 1000), Bytes(Counting(1000)));
}

TEST_F(LoaderTest, WavRefusesWhatItCannotPlay) {
  auto refused = [](WavWriter wav) { return !Load(wav.bytes); };
  WavWriter compressed;
  compressed.Header(1, 16, 8000, 16, 3);
  compressed.Chunk("data", Counting(4), 4);
  EXPECT_TRUE(refused(compressed));
  for (int bits : {24, 32, 12}) {
    WavWriter deep;
    deep.Header(1, bits, 8000);
    deep.Chunk("data", Counting(12), 12);
    EXPECT_TRUE(refused(deep)) << bits;
  }
  WavWriter surround;
  surround.Header(6, 16, 8000);
  surround.Chunk("data", Counting(12), 12);
  EXPECT_TRUE(refused(surround));
  WavWriter late;  // "fmt " not straight after "WAVE"
  late.Tag("RIFF");
  late.U32(0);
  late.Tag("WAVE");
  late.Chunk("LIST", Counting(4), 4);
  EXPECT_TRUE(refused(late));
  WavWriter noData;
  noData.Header(1, 8, 8000);
  noData.Chunk("LIST", Counting(4), 4);
  EXPECT_TRUE(refused(noData));
}

TEST_F(LoaderTest, HostileWavHeadersGiveNullWithoutCrashing) {
  WavWriter good;
  good.Header(2, 16, 44100);
  good.Chunk("data", Counting(64), 64);
  // Every truncation of a good file, header and data alike.
  unsigned char nothing[1] = {};
  EXPECT_FALSE(ReadAudioSample(CreateRamStream(nothing, 0, true, false)));
  for (std::size_t cut = 1; cut < good.bytes.size(); ++cut) {
    EXPECT_FALSE(Load(Bytes(good.bytes.begin(), good.bytes.begin() + static_cast<long>(cut))))
        << cut;
  }
  WavWriter lyingData;  // claims 4 GB of data
  lyingData.Header(1, 16, 8000);
  lyingData.Chunk("data", Counting(8), 0xFFFFFFF0u);
  EXPECT_FALSE(Load(lyingData.bytes));
  WavWriter lyingChunk;  // a chunk that claims to run past the end
  lyingChunk.Header(1, 16, 8000);
  lyingChunk.Chunk("LIST", Counting(8), 0x7FFFFFFFu);
  lyingChunk.Chunk("data", Counting(8), 8);
  EXPECT_FALSE(Load(lyingChunk.bytes));
  WavWriter shortFmt;
  shortFmt.Header(1, 16, 8000, 16);
  shortFmt.bytes[16] = 8;  // fmt size smaller than its own fields
  shortFmt.Chunk("data", Counting(8), 8);
  EXPECT_FALSE(Load(shortFmt.bytes));
  WavWriter zeroRate;
  zeroRate.Header(1, 16, 0);
  zeroRate.Chunk("data", Counting(8), 8);
  EXPECT_FALSE(Load(zeroRate.bytes));
}

Ref<TAudioSample> Tone(int frames, int format, int hertz) {
  Ref<TAudioSample> sample = MakeAudioSample(frames, hertz, format);
  const int channels = ChannelsOf(format);
  auto* values = reinterpret_cast<std::int16_t*>(sample->samples);
  for (int i = 0; i < frames; ++i) {
    for (int c = 0; c < channels; ++c) {
      values[i * channels + c] = static_cast<std::int16_t>(
          12000 * std::sin(i * (c + 1) * 2 * std::numbers::pi * 440 / hertz));
    }
  }
  return sample;
}

TEST_F(LoaderTest, VorbisRoundTripKeepsLengthChannelsAndSound) {
  testing::TempDir dir;
  for (int format : {Mono16LE, Stereo16LE}) {
    const Ref<TAudioSample> tone = Tone(10000, format, 22050);
    const std::string path = dir / "tone.ogg";
    ASSERT_EQ(WriteOggVorbis(tone, path, 0.5f), 0);
    const Ref<TAudioSample> decoded = ReadAudioSample(path);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->format, format);
    EXPECT_EQ(decoded->hertz, 22050);
    EXPECT_EQ(decoded->length, 10000);
    // Lossy, but the waveform must be close to the original.
    const auto* a = reinterpret_cast<const std::int16_t*>(tone->samples);
    const auto* b = reinterpret_cast<const std::int16_t*>(decoded->samples);
    double error = 0;
    const int count = 10000 * ChannelsOf(format);
    for (int i = 0; i < count; ++i) error += std::abs(a[i] - b[i]);
    EXPECT_LT(error / count, 300) << format;
  }
}

TEST_F(LoaderTest, VorbisEncodesEightBitAndBigEndianSamples) {
  testing::TempDir dir;
  for (int format : {Mono8, Stereo8, Mono16BE, Stereo16BE}) {
    const Ref<TAudioSample> sample = Tone(3000, Stereo16LE, 44100)->Convert(format);
    ASSERT_EQ(WriteOggVorbis(sample, dir / "x.ogg", 0.2f), 0);
    const Ref<TAudioSample> decoded = ReadAudioSample(dir / "x.ogg");
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->length, 3000);
    EXPECT_EQ(decoded->format, ChannelsOf(format) == 1 ? Mono16LE : Stereo16LE);
  }
  EXPECT_EQ(WriteOggVorbis(Tone(10, Mono16LE, 44100), "/nonexistent/corvax/x.ogg", 0.5f), -1);
  EXPECT_EQ(WriteOggVorbis(Tone(10, Mono16LE, 0), dir / "bad.ogg", 0.5f), -1);
  EXPECT_EQ(WriteOggVorbis(WrapAudioSample(nullptr, 0, 44100, 0), dir / "none.ogg", 0.5f), -1);
}

TEST_F(LoaderTest, CorruptVorbisGivesNull) {
  testing::TempDir dir;
  ASSERT_EQ(WriteOggVorbis(Tone(20000, Stereo16LE, 44100), dir / "t.ogg", 0.4f), 0);
  const std::vector<std::uint8_t> good = LoadBytes(dir / "t.ogg");
  const Bytes file(good.begin(), good.end());
  for (std::size_t cut : {std::size_t{4}, std::size_t{60}, file.size() / 3}) {
    EXPECT_FALSE(Load(Bytes(file.begin(), file.begin() + static_cast<long>(cut)))) << cut;
  }
  // Garbage after the headers: a checksum failure or a decode error, never a crash.
  Bytes scrambled = file;
  for (std::size_t i = 4000; i < scrambled.size(); i += 7) scrambled[i] ^= 0x5A;
  const Ref<TAudioSample> sample = Load(scrambled);
  if (sample) {
    EXPECT_LE(sample->length, 20000);
  }
  EXPECT_FALSE(Load(Bytes{'O', 'g', 'g', 'S', 0, 0, 0}));
}

// The last page's granule position states the length; a file that claims far more than it
// holds never yields (or allocates) what it claims.
TEST_F(LoaderTest, VorbisLyingAboutItsLengthStaysBounded) {
  testing::TempDir dir;
  ASSERT_EQ(WriteOggVorbis(Tone(5000, Mono16LE, 44100), dir / "t.ogg", 0.4f), 0);
  const std::vector<std::uint8_t> good = LoadBytes(dir / "t.ogg");
  Bytes file(good.begin(), good.end());
  const std::string text(file.begin(), file.end());
  const std::size_t last = text.rfind("OggS");
  ASSERT_NE(last, std::string::npos);
  for (int i = 0; i < 8; ++i) file[last + 6 + i] = i < 3 ? 0 : (i == 3 ? 0x0F : 0);
  ogg_page page;
  const int segments = file[last + 26];
  page.header = file.data() + last;
  page.header_len = 27 + segments;
  page.body = page.header + page.header_len;
  page.body_len = static_cast<long>(file.size() - last) - page.header_len;
  ogg_page_checksum_set(&page);
  const Ref<TAudioSample> sample = Load(file);
  if (sample) {
    EXPECT_LT(sample->length, 10000);
  }
}

}  // namespace
}  // namespace corvax
