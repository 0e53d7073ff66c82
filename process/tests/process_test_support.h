#pragma once
// What the process tests share: the child program, bounded waits for lines and endings.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include <corvax/process/process_module.h>

#include "process_liveness.h"

namespace corvax::testing {

using Clock = std::chrono::steady_clock;

// The status a killed child ends with on every platform, as after SIGKILL.
constexpr int kKilledStatus = 128 + 9;

inline const String& Helper() {
  static const String helper = u"\"" + From8Bit(CORVAX_PROCESS_HELPER) + u"\"";
  return helper;
}

inline bool GoneWithin(int pid, std::chrono::seconds limit) {
  const auto deadline = Clock::now() + limit;
  while (!ProcessGone(pid)) {
    if (Clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

// Waits (boundedly) for a whole line; "" when none came.
inline String NextLine(const Ref<TPipeStream>& pipe) {
  const auto deadline = Clock::now() + std::chrono::seconds(10);
  while (Clock::now() < deadline) {
    const String line = pipe->ReadTextLine();
    if (!line.empty()) return line;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return String();
}

inline int NextPid(const Ref<TPipeStream>& pipe) {
  return std::stoi(To8Bit(NextLine(pipe)));
}

inline bool EndsWithin(const Ref<TProcess>& process, std::chrono::seconds limit) {
  const auto deadline = Clock::now() + limit;
  while (process->IsRunning()) {
    if (Clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return true;
}

class ProcessTest : public ::testing::Test {
 protected:
  void SetUp() override { StartupProcessModule(); }
  void TearDown() override { TProcess::KillAll(); }
};

}  // namespace corvax::testing
