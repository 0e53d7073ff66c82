#include <corvax/stream/random.h>

#include <cstdint>

namespace corvax {
namespace {

constexpr std::int32_t kDefaultSeed = 4660;
constexpr std::int32_t kModulus = 2147483647;

std::int32_t seed = kDefaultSeed;

// seed * 48271 mod (2^31 - 1), by Schrage's method so that nothing leaves 32 bits.
std::int32_t Step() {
  seed = (seed % 44488) * 48271 - (seed / 44488) * 3399;
  if (seed < 0) seed += kModulus;
  return seed;
}

}  // namespace

float RandomFloat() {
  return static_cast<float>(Step() & 0x0FFFFFF0) / 268435456.0f;
}

double RandomDouble() {
  const double high = Step() & 0x1FFFFFFC;
  const double low = Step() & 0x1FFFFFF8;
  return (high + low / 134217728.0) / 536870912.0;
}

double RandomReal(double a, double b) {
  const double r = RandomDouble();
  return b > a ? a + r * (b - a) : b + r * (a - b);
}

int RandomInt(int a, int b) {
  const double r = RandomDouble();
  const double d = static_cast<double>(b) - static_cast<double>(a);
  const double value = d > 0 ? a + r * (d + 1) : b + r * (1 - d);
  return static_cast<int>(value);
}

void SetRandomSeed(int value) {
  seed = value & 0x7FFFFFFF;
  if (seed == 0 || seed == kModulus) seed = kDefaultSeed;
}

int GetRandomSeed() {
  return seed;
}

}  // namespace corvax
