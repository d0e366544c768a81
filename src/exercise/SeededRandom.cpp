#include "exercise/SeededRandom.h"

namespace morvalen::exercise {

double SeededRandom::uniform() {
    constexpr double unitOf53Bits = 1.0 / 9007199254740992.0;  // 2^-53
    return static_cast<double>(engine_() >> 11) * unitOf53Bits;
}

std::uint64_t SeededRandom::below(std::uint64_t count) {
    // Draws above the largest multiple of `count` are drawn again, so that every value is equally likely.
    const std::uint64_t limit = UINT64_MAX - UINT64_MAX % count;
    std::uint64_t drawn = engine_();
    while (drawn >= limit) drawn = engine_();
    return drawn % count;
}

double SeededRandom::normal() {
    double sum = 0;
    for (int i = 0; i < 12; ++i) sum += uniform();
    return sum - 6;
}

}  // namespace morvalen::exercise
