#pragma once
// The millisecond clock frame pacing runs on. It wraps; take differences as signed 32-bit.
#include <cstdint>

namespace corvax {

std::uint32_t GraphicsMilliseconds();
void SleepMilliseconds(int milliseconds);

}  // namespace corvax
