#include "ui/random_source.h"

namespace ui {

void RandomSource::reseed(std::uint32_t seed) {
    seed_ = seed;
    outputs_ = 0;
    engine_.seed(seed);
}

void RandomSource::restore(std::uint32_t seed, std::uint64_t outputs) {
    reseed(seed);
    engine_.discard(outputs);
    outputs_ = outputs;
}

double RandomSource::next() {
    const std::uint64_t high = engine_() >> 5; // 27 bits
    const std::uint64_t low = engine_() >> 6;  // 26 bits
    outputs_ += 2;
    return static_cast<double>((high << 26) | low) / static_cast<double>(std::uint64_t{1} << 53);
}

} // namespace ui
