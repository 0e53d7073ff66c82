#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include <corvax/audio/audio_module.h>

#include "mixer_device.h"
#include "mixer_driver.h"

namespace corvax {
namespace {

class MixerDriverTest : public ::testing::Test {
 protected:
  void SetUp() override {
    StartupAudioCoreModule();
    mixer::OpenManualDevice([this] { return now_; }, 8);
    SetAudioDriver(New<TMixerAudioDriver>());
  }
  void TearDown() override {
    mixer::CloseDevice();
    SetAudioDriver(New<TAudioDriver>());
  }
  std::vector<std::int16_t> Mix() {
    now_ += mixer::kStartLatencyMs;
    std::vector<std::int16_t> out(8);
    mixer::MixDeviceFragment(out.data());
    return out;
  }
  std::uint32_t now_ = 100;
};

TEST_F(MixerDriverTest, BigEndianSamplesPlayAsTheirValues) {
  std::uint8_t bytes[] = {0x01, 0x00, 0xFF, 0x38};  // 256 and -200, big-endian
  const Ref<TSound> sound = OpenSound(WrapAudioSample(bytes, 2, 44100, Mono16BE), 0);
  ASSERT_TRUE(Cast<TMixerSound>(sound));
  const Ref<TChannel> channel = StartSound(sound);
  ASSERT_TRUE(Cast<TMixerChannel>(channel));
  EXPECT_EQ(IsChannelActive(channel), 1);
  EXPECT_EQ(Mix(), (std::vector<std::int16_t>{256, 256, -200, -200, 0, 0, 0, 0}));
}

TEST_F(MixerDriverTest, ChannelsAreReusedOrRefused) {
  std::int16_t values[] = {100, 100, 100, 100, 100, 100};
  const Ref<TSound> sound = OpenSound(WrapAudioSample(values, 6, 44100, Mono16LE), 1);
  const Ref<TChannel> reserved = ReserveChannel();
  ASSERT_TRUE(reserved);
  ApplyChannelVolume(reserved, 0.5f);
  EXPECT_EQ(PrepareSound(sound, reserved), reserved);
  EXPECT_EQ(IsChannelActive(reserved), 1);  // paused still counts
  EXPECT_EQ(Mix(), std::vector<std::int16_t>(8, 0));
  ContinueChannel(reserved);
  EXPECT_EQ(Mix(), std::vector<std::int16_t>(8, 50));
  HaltChannel(reserved);
  Mix();
  EXPECT_EQ(IsChannelActive(reserved), 0);
  // A channel of another driver is not ours to play on.
  EXPECT_FALSE(StartSound(sound, New<TChannel>()));
  std::uint8_t none[1] = {};
  EXPECT_FALSE(AudioDriver()->MakeSound(WrapAudioSample(none, 1, 44100, 0), 0));
}

TEST_F(MixerDriverTest, ChannelsRunOutAsNull) {
  std::vector<Ref<TChannel>> channels;
  for (int i = 0; i < mixer::kChannelSlots - 1; ++i) channels.push_back(ReserveChannel());
  EXPECT_FALSE(ReserveChannel());
  std::int16_t values[] = {1};
  const Ref<TSound> sound = OpenSound(WrapAudioSample(values, 1, 44100, Mono16LE), 0);
  EXPECT_FALSE(StartSound(sound));
  // The sound keeps its sample after the device closes; nothing plays, nothing breaks.
  mixer::CloseDevice();
  EXPECT_FALSE(StartSound(sound, channels[0]) && IsChannelActive(channels[0]));
  EXPECT_FALSE(AudioDriver()->MakeSound(WrapAudioSample(values, 1, 44100, Mono16LE), 0));
}

}  // namespace
}  // namespace corvax
