#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include <corvax/audio/audio_module.h>
#include <corvax/runtime/exceptions.h>
#include <corvax/stream/ram_stream.h>
#include <corvax/stream/stream_factory.h>

#include "memory_streams.h"
#include "unseekable_stream.h"

namespace corvax {
namespace {

std::vector<std::int16_t> As16(const Ref<TAudioSample>& sample, int count) {
  std::vector<std::int16_t> values;
  for (int i = 0; i < count; ++i) {
    values.push_back(
        static_cast<std::int16_t>(sample->samples[2 * i] | (sample->samples[2 * i + 1] << 8)));
  }
  return values;
}

TEST(AudioSample, Mono8ToMono16LeReachesBothEndsAndComesBack) {
  std::uint8_t bytes[] = {0, 128, 255};
  const Ref<TAudioSample> source = WrapAudioSample(bytes, 3, 8000, Mono8);
  const Ref<TAudioSample> wide = source->Convert(Mono16LE);
  EXPECT_EQ(As16(wide, 3), (std::vector<std::int16_t>{-32768, 128, 32767}));
  const Ref<TAudioSample> back = wide->Convert(Mono8);
  EXPECT_EQ(std::vector<std::uint8_t>(back->samples, back->samples + 3),
            (std::vector<std::uint8_t>{0, 128, 255}));
  EXPECT_EQ(back->hertz, 8000);
  EXPECT_EQ(back->length, 3);
}

TEST(AudioSample, StereoToMonoAveragesTowardZero) {
  const std::int16_t frames[] = {1000, -1001, -3, 0};
  const Ref<TAudioSample> source =
      WrapAudioSample(const_cast<std::int16_t*>(frames), 2, 44100, Stereo16LE);
  EXPECT_EQ(As16(source->Convert(Mono16LE), 2), (std::vector<std::int16_t>{0, -1}));
}

TEST(AudioSample, EveryFormatPairGoesThroughBigEndianStereo) {
  const std::int16_t frames[] = {0x1234, -0x1234};
  const Ref<TAudioSample> source =
      WrapAudioSample(const_cast<std::int16_t*>(frames), 1, 44100, Stereo16LE);
  const Ref<TAudioSample> hub = source->Convert(Stereo16BE);
  EXPECT_EQ(std::vector<std::uint8_t>(hub->samples, hub->samples + 4),
            (std::vector<std::uint8_t>{0x12, 0x34, 0xED, 0xCC}));
  EXPECT_EQ(As16(hub->Convert(Stereo16LE), 2), (std::vector<std::int16_t>{0x1234, -0x1234}));
  const Ref<TAudioSample> mono = hub->Convert(Mono16BE);
  EXPECT_EQ(mono->samples[0], 0);
  EXPECT_EQ(mono->samples[1], 0);
  const Ref<TAudioSample> narrow = source->Convert(Stereo8);
  EXPECT_EQ(narrow->samples[0], (0x1234 + 32768) / 257);
  EXPECT_EQ(narrow->samples[1], (-0x1234 + 32768) / 257);
}

TEST(AudioSample, UnknownFormatsAreRefused) {
  std::uint8_t bytes[4] = {};
  EXPECT_THROW(ConvertSamples(bytes, 7, bytes, Mono8, 1), TRuntimeException);
  EXPECT_THROW(ConvertSamples(bytes, Mono8, bytes, 0, 1), TRuntimeException);
  try {
    ConvertSamples(bytes, Mono8, bytes, 9, 1);
  } catch (const TRuntimeException& error) {
    EXPECT_EQ(error.Message(), u"Unimplemented sample format conversion");
  }
  try {
    MakeAudioSample(1, 8000, Mono8)->Convert(9);
    FAIL() << "no exception";
  } catch (const TRuntimeException& error) {
    EXPECT_EQ(error.Message(), u"Unimplemented sample format conversion");
  }
  EXPECT_THROW(MakeAudioSample(4, 44100, 0), TRuntimeException);
  EXPECT_THROW(MakeAudioSample(-1, 44100, Mono8), TRuntimeException);
}

TEST(AudioSample, CopiesOwnTheirMemoryAndWrapsNeverFree) {
  std::vector<std::uint8_t> bytes = {1, 2, 3, 4};
  {
    const Ref<TAudioSample> wrapped = WrapAudioSample(bytes.data(), 2, 22050, Mono16LE);
    EXPECT_EQ(wrapped->capacity, -1);
    Ref<TAudioSample> copy = wrapped->Convert(Mono16LE);
    EXPECT_EQ(copy->capacity, 4);
    EXPECT_NE(copy->samples, bytes.data());
    copy->samples[0] = 99;
    copy = nullptr;
    EXPECT_EQ(wrapped->Copy()->samples[1], 2);
  }
  // The wrapped sample is gone; the caller's memory is intact (ASan would catch a free).
  EXPECT_EQ(bytes, (std::vector<std::uint8_t>{1, 2, 3, 4}));
}

class NamedLoader : public TAudioSampleLoader {
 public:
  NamedLoader(std::vector<int>* calls, int id, int result)
      : calls_(calls), id_(id), result_(result) {}
  Ref<TAudioSample> ReadSample(const Ref<TStream>& stream) override {
    calls_->push_back(id_);
    EXPECT_EQ(stream->Position(), 0);
    stream->ReadU8();
    if (result_ < 0) throw TStreamReadException();
    if (result_ == 0) return nullptr;
    return MakeAudioSample(result_, 1000, Mono8);
  }

 private:
  std::vector<int>* calls_;
  int id_;
  int result_;
};

TEST(AudioSample, NewestLoaderFirstAndStreamFaultsAreRefusals) {
  // The loaders stay in the chain after the test, so what they record must outlive it.
  static std::vector<int> calls;
  calls.clear();
  New<NamedLoader>(&calls, 1, 7);
  New<NamedLoader>(&calls, 2, -1);
  New<NamedLoader>(&calls, 3, 0);
  std::vector<unsigned char> data(8);
  const Ref<testing::ProbeStream> stream = New<testing::ProbeStream>(data);
  const Ref<TAudioSample> sample = ReadAudioSample(stream);
  ASSERT_TRUE(sample);
  EXPECT_EQ(sample->length, 7);
  EXPECT_EQ(calls, (std::vector<int>{3, 2, 1}));
}

TEST(AudioSample, UnseekableStreamsAreReported) {
  const Ref<testing::UnseekableStream> stream =
      New<testing::UnseekableStream>(std::vector<unsigned char>(8));
  try {
    ReadAudioSample(stream);
    FAIL() << "no exception";
  } catch (const TRuntimeException& error) {
    EXPECT_EQ(error.Message(), u"Stream is not seekable");
  }
  EXPECT_FALSE(ReadAudioSample("/nonexistent/corvax/sound.wav"));
}

// Opens "pipe-sound::<bytes>" as an unseekable stream and "probe-sound::<bytes>" as a seekable
// one, keeping the last stream made for the test to inspect.
class SoundStreamFactory : public TStreamFactory {
 public:
  Ref<TStream> CreateStream(const Ref<Object>&, const String& protocol, const String& path, bool,
                            bool) override {
    const std::vector<unsigned char> bytes(path.begin(), path.end());
    if (protocol == u"pipe-sound") return pipe = New<testing::UnseekableStream>(bytes);
    if (protocol == u"probe-sound") return probe = New<testing::ProbeStream>(bytes);
    return nullptr;
  }
  Ref<testing::UnseekableStream> pipe;
  Ref<testing::ProbeStream> probe;
};

// Refuses everything but data starting with '!', on which it fails outright.
class FaultyLoader : public TAudioSampleLoader {
 public:
  Ref<TAudioSample> ReadSample(const Ref<TStream>& stream) override {
    if (stream->ReadU8() == '!') ThrowRuntimeError(u"loader broke");
    return nullptr;
  }
};

TEST(AudioSample, TheStreamOpenedIsClosedWhateverEndsTheLoad) {
  StartupAudioModule();
  const Ref<SoundStreamFactory> streams = New<SoundStreamFactory>();
  EXPECT_THROW(ReadAudioSample("pipe-sound::RIFF"), TRuntimeException);
  ASSERT_TRUE(streams->pipe);
  EXPECT_EQ(streams->pipe->closes, 1);

  // A fault other than a stream fault ends the load and reaches the caller as it was thrown.
  New<FaultyLoader>();
  try {
    ReadAudioSample("probe-sound::!bad");
    ADD_FAILURE() << "no exception";
  } catch (const TRuntimeException& error) {
    EXPECT_EQ(error.Message(), u"loader broke");
  }
  ASSERT_TRUE(streams->probe);
  EXPECT_EQ(streams->probe->closes, 1);
}

TEST(AudioDriver, BaseDriverIsSilentAndSucceeds) {
  StartupAudioCoreModule();
  ASSERT_TRUE(AudioDriver());
  std::uint8_t bytes[2] = {};
  const Ref<TSound> sound = OpenSound(WrapAudioSample(bytes, 2, 8000, Mono8), 0);
  ASSERT_TRUE(sound);
  const Ref<TChannel> channel = StartSound(sound);
  ASSERT_TRUE(channel);
  ApplyChannelVolume(channel, 0.5f);
  ApplyChannelPan(channel, -1);
  ApplyChannelDepth(channel, 1);
  ApplyChannelRate(channel, 2);
  SuspendChannel(channel);
  ContinueChannel(channel);
  HaltChannel(channel);
  EXPECT_EQ(IsChannelActive(channel), 0);
  EXPECT_TRUE(PrepareSound(sound, ReserveChannel()));
  EXPECT_FALSE(OpenSound("/nonexistent/corvax/sound.wav", 0));
}

}  // namespace
}  // namespace corvax
