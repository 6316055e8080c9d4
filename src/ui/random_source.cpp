#include "ui/random_source.h"

namespace ui {

void RandomSource::reseed(std::uint32_t seed) {
    seed_ = seed;
    engine_.seed(seed);
}

double RandomSource::next() {
    const std::uint64_t high = engine_() >> 5; // 27 bits
    const std::uint64_t low = engine_() >> 6;  // 26 bits
    return static_cast<double>((high << 26) | low) / static_cast<double>(std::uint64_t{1} << 53);
}

} // namespace ui
