#pragma once
// A system driver standing in for the desktop: pumping broadcasts the events a test queued, and
// the shell remembers what it was asked to open.
#include <vector>

#include <corvax/system/event.h>
#include <corvax/system/system_module.h>

#include "silent_driver.h"

namespace corvax::testing {

class FakeDriver : public SilentDriver {
 public:
  int pumps = 0;
  int awaits = 0;
  // Broadcast one batch per Pump; Await delivers the next batch even when it is empty.
  std::vector<std::vector<Ref<TEvent>>> batches;
  String lastShellUrl;

  void Deliver(std::vector<Ref<TEvent>> batch) { batches.push_back(std::move(batch)); }

  void Pump() override {
    ++pumps;
    if (batches.empty()) return;
    std::vector<Ref<TEvent>> batch = std::move(batches.front());
    batches.erase(batches.begin());
    for (const Ref<TEvent>& event : batch) Hand(event);
  }
  // How each queued event reaches the program.
  virtual void Hand(const Ref<TEvent>& event) { BroadcastEvent(event); }
  void Await() override {
    ++awaits;
    Pump();
  }
  void OpenInShell(const String& url) override { lastShellUrl = url; }
};

// Starts the system module with a fake driver in place of the desktop one.
inline Ref<FakeDriver> InstallFakeDriver() {
  StartupSystemModule();
  auto driver = New<FakeDriver>();
  SetSystemDriver(driver);
  return driver;
}

}  // namespace corvax::testing
