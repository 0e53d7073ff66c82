#include "test_seed.h"

#include <cstdlib>
#include <random>

namespace corvax::testing {

std::uint64_t TestSeed() {
  if (const char* chosen = std::getenv("CORVAX_TEST_SEED"))
    return std::strtoull(chosen, nullptr, 10);
  std::random_device device;
  return static_cast<std::uint64_t>(device()) << 32 | device();
}

std::string SeedNote(std::uint64_t seed) {
  return "seed " + std::to_string(seed) +
         " (run again with CORVAX_TEST_SEED=" + std::to_string(seed) + ")";
}

}  // namespace corvax::testing
