// Random numbers that are the same on every platform for the same seed.
//
// The engine is std::mt19937_64, whose sequence of integers the C++ standard fixes; the standard's distributions are
// not fixed (each standard library draws its own way), so the uniform and normal numbers are formed here from the
// engine's integers with plain arithmetic only: no logarithm, no sine, nothing a mathematics library may round
// differently. The same seed gives the same exercises, byte for byte, on Linux, Windows and in the browser.
#pragma once

#include <cstdint>
#include <random>

namespace morvalen::exercise {

class SeededRandom {
public:
    explicit SeededRandom(std::uint64_t seed) : engine_(seed) {}

    // In [0, 1): the upper 53 bits of one draw.
    double uniform();
    // In [low, high).
    double uniform(double low, double high) { return low + (high - low) * uniform(); }
    // A whole number in [0, count), count > 0, without the bias of a plain remainder.
    std::uint64_t below(std::uint64_t count);
    // Standard normal, approximated by the sum of twelve uniforms less six (Irwin–Hall): mean 0, variance 1, tails
    // cut at ±6, which an angle's noise never needs.
    double normal();

private:
    std::mt19937_64 engine_;
};

}  // namespace morvalen::exercise
