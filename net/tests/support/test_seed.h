#pragma once
// Seeds for tests that draw at random: a fresh one each run unless CORVAX_TEST_SEED names one,
// so that a failure seen once can be run again with the same draws.
#include <cstdint>
#include <string>

namespace corvax::testing {

std::uint64_t TestSeed();
// The line a failing test prints so that it can be rerun.
std::string SeedNote(std::uint64_t seed);

}  // namespace corvax::testing
