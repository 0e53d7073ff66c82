#pragma once
/// @file
/// @ingroup stream
/// One program-wide pseudo-random sequence (the minimal-standard Lehmer generator, multiplier
/// 48271). It starts from the seed 4660, so an unseeded program repeats the same numbers.
namespace corvax {

/// In [0, 1).
float RandomFloat();
/// In [0, 1), with double precision.
double RandomDouble();
/// Between a and b, in either order.
double RandomReal(double a, double b);
/// Between a and b, in either order, truncated toward zero: for negative ranges the results
/// are shifted one step up (RandomInt(-5, -1) gives -4..0, -5 only for a double of exactly 0).
int RandomInt(int a, int b);
/// Keeps the low 31 bits; 0 and 2147483647 would stall the generator and become 4660.
void SetRandomSeed(int value);
/// The generator's current state, which SetRandomSeed restores.
int GetRandomSeed();

}  // namespace corvax
