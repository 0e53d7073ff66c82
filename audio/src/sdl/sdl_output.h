#pragma once
// The audio output over SDL: a device whose callback pulls whole fragments from the mixer.
#include <memory>

#include "mixer.h"

namespace corvax::mixer {

class SdlOutput {
 public:
  virtual ~SdlOutput() = default;
};

// Null when SDL has no audio device to open. Destroying the output stops the callback before
// it returns.
std::unique_ptr<SdlOutput> OpenSdlOutput(Mixer& mixer);

}  // namespace corvax::mixer
