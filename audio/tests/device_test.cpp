#include <gtest/gtest.h>

#include <SDL2/SDL.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <thread>
#include <vector>

#include <corvax/audio/audio_module.h>
#include "mixer_device.h"

#include "child_process.h"
#include "environment.h"
#include "mixer_driver.h"
#include "temp_dir.h"

namespace corvax {
namespace {

std::vector<std::int16_t> ReadCapture(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), {});
  std::vector<std::int16_t> values(bytes.size() / 2);
  std::memcpy(values.data(), bytes.data(), values.size() * 2);
  return values;
}

bool WaitUntilQuiet(const Ref<TChannel>& channel) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (IsChannelActive(channel)) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

// The device writes exactly what the mixer produced into the capture file.
TEST(AudioDevice, DiskOutputCarriesTheMixedSoundExactly) {
  testing::TempDir dir;
  const std::string capture = dir / "capture.raw";
  testing::SetEnvironment("SDL_DISKAUDIOFILE", capture);
  StartupAudioModule();
  ASSERT_TRUE(Cast<TMixerAudioDriver>(AudioDriver())) << SDL_GetError();

  const int frames = 4410;
  Ref<TAudioSample> sample = MakeAudioSample(frames, 44100, Stereo16LE);
  auto* values = reinterpret_cast<std::int16_t*>(sample->samples);
  for (int i = 0; i < frames; ++i) {
    values[2 * i] = static_cast<std::int16_t>(1000 + i % 2000);
    values[2 * i + 1] = static_cast<std::int16_t>(-1000 - i % 3000);
  }
  const Ref<TSound> sound = OpenSound(sample, 0);
  ASSERT_TRUE(sound);
  const Ref<TChannel> channel = PrepareSound(sound);
  ASSERT_TRUE(channel);
  ApplyChannelVolume(channel, 0.5f);
  EXPECT_EQ(IsChannelActive(channel), 1);
  ContinueChannel(channel);
  ASSERT_TRUE(WaitUntilQuiet(channel));
  // Let the silence after the sound reach the capture too.
  std::this_thread::sleep_for(std::chrono::milliseconds(60));
  mixer::CloseDevice();

  const std::vector<std::int16_t> out = ReadCapture(capture);
  std::size_t first = 0;
  while (first < out.size() && out[first] == 0) ++first;
  ASSERT_LE(first + 2 * frames, out.size());
  for (int i = 0; i < frames; ++i) {
    ASSERT_EQ(out[first + 2 * i], values[2 * i] / 2) << i;
    ASSERT_EQ(out[first + 2 * i + 1], values[2 * i + 1] >> 1) << i;
  }
  for (std::size_t i = first + 2 * frames; i < out.size(); ++i) ASSERT_EQ(out[i], 0) << i;
}

// The main thread starts, stops and replays voices while the audio thread mixes them: every
// voice comes back through the rings and every channel ends quiet.
TEST(AudioDevice, ManyVoicesStartAndStopWhileTheDeviceMixes) {
  testing::SetEnvironment("SDL_AUDIODRIVER", "dummy");
  StartupAudioModule();
  ASSERT_TRUE(Cast<TMixerAudioDriver>(AudioDriver())) << SDL_GetError();
  std::vector<std::int16_t> values(300, 1000);
  const Ref<TSound> shortSound = OpenSound(WrapAudioSample(values.data(), 300, 44100, Mono16LE), 0);
  const Ref<TSound> loop = OpenSound(WrapAudioSample(values.data(), 300, 22050, Mono16LE), 1);
  std::vector<Ref<TChannel>> reserved;
  for (int i = 0; i < 8; ++i) reserved.push_back(ReserveChannel());
  std::vector<Ref<TChannel>> started;
  for (int round = 0; round < 300; ++round) {
    started.push_back(StartSound(shortSound));
    const Ref<TChannel> channel = reserved[round % reserved.size()];
    StartSound(round % 3 ? shortSound : loop, channel);
    ApplyChannelVolume(channel, 0.1f * (round % 10));
    ApplyChannelRate(channel, 0.5f + (round % 4));
    if (round % 5 == 0) HaltChannel(reserved[(round + 3) % reserved.size()]);
    if (round % 20 == 0) std::this_thread::sleep_for(std::chrono::milliseconds(3));
  }
  for (const Ref<TChannel>& channel : reserved) HaltChannel(channel);
  for (const Ref<TChannel>& channel : started) ASSERT_TRUE(channel);
  for (const Ref<TChannel>& channel : started) EXPECT_TRUE(WaitUntilQuiet(channel));
  for (const Ref<TChannel>& channel : reserved) EXPECT_EQ(IsChannelActive(channel), 0);
  mixer::CloseDevice();
}

TEST(AudioDevice, ExitClosesADeviceThatIsStillPlaying) {
  testing::TempDir dir;
  testing::SetEnvironment("SDL_DISKAUDIOFILE", dir / "exit.raw");
  const testing::ChildResult result = testing::RunChild(CORVAX_AUDIO_EXIT_PROBE, {});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, "playing\n");
  const std::vector<std::int16_t> out = ReadCapture(dir / "exit.raw");
  EXPECT_NE(std::count(out.begin(), out.end(), 3000), 0);
}

// Start-up waits for no device: it opens when the current driver is first asked for.
TEST(AudioDevice, TheDeviceOpensWhenTheDriverIsFirstNeeded) {
  testing::SetEnvironment("SDL_AUDIODRIVER", "dummy");
  StartupAudioModule();
  EXPECT_FALSE(mixer::IsDeviceOpen()) << "start-up alone opens nothing";
  std::vector<std::int16_t> values(64, 1000);
  const Ref<TSound> sound = OpenSound(WrapAudioSample(values.data(), 64, 44100, Mono16LE), 0);
  EXPECT_TRUE(mixer::IsDeviceOpen());
  EXPECT_TRUE(Cast<TMixerSound>(sound)) << "the first sound already comes from the mixer";
  const Ref<TAudioDriver> driver = AudioDriver();
  EXPECT_TRUE(Cast<TMixerAudioDriver>(driver));
  EXPECT_EQ(AudioDriver(), driver) << "opened once";
  mixer::CloseDevice();
}

TEST(AudioDevice, ADriverChosenBeforeTheDeviceOpenedKeepsItClosed) {
  testing::SetEnvironment("SDL_AUDIODRIVER", "dummy");
  StartupAudioModule();
  const Ref<TAudioDriver> chosen = New<TAudioDriver>();
  SetAudioDriver(chosen);
  EXPECT_EQ(AudioDriver(), chosen);
  EXPECT_TRUE(ReserveChannel());
  EXPECT_FALSE(mixer::IsDeviceOpen());
}

TEST(AudioDevice, NoDeviceLeavesTheSilentDriver) {
  testing::SetEnvironment("SDL_AUDIODRIVER", "no-such-driver");
  StartupAudioModule();
  EXPECT_FALSE(Cast<TMixerAudioDriver>(AudioDriver()));
  EXPECT_FALSE(mixer::IsDeviceOpen());
  std::uint8_t bytes[4] = {};
  const Ref<TSound> sound = OpenSound(WrapAudioSample(bytes, 4, 8000, Mono8), 1);
  ASSERT_TRUE(sound);
  EXPECT_EQ(IsChannelActive(StartSound(sound)), 0);
}

}  // namespace
}  // namespace corvax
