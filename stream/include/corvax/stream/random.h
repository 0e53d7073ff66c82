#pragma once
/// @file
/// @ingroup stream
/// One program-wide pseudo-random sequence (the minimal-standard Lehmer generator, multiplier
/// 48271). It starts from the seed 4660, so an unseeded program repeats the same numbers.
namespace corvax {

/// @return A random number in [0, 1).
/// @sa RandomDouble
float RandomFloat();
/// @return A random number in [0, 1), with double precision.
double RandomDouble();
/// @param a One end.
/// @param b The other end, either side of a.
/// @return A random number between a and b.
double RandomReal(double a, double b);
/// Truncated toward zero: for negative ranges the results are shifted one step up (RandomInt(-5,
/// -1) gives -4..0, -5 only for a double of exactly 0).
/// @param a One end.
/// @param b The other end, either side of a.
/// @return A random integer between a and b.
int RandomInt(int a, int b);
/// Keeps the low 31 bits; 0 and 2147483647 would stall the generator and become 4660.
/// @param value The seed.
/// @sa GetRandomSeed
void SetRandomSeed(int value);
/// @return The generator's current state, which SetRandomSeed restores.
int GetRandomSeed();

}  // namespace corvax
