#pragma once

#include <cstdint>
#include <random>

namespace ui {

// The game's one source of chance: a Mersenne twister and a conversion to [0, 1) that gives the
// same numbers with every compiler, so a seed and the player's inputs fix a whole game.
class RandomSource {
  public:
    explicit RandomSource(std::uint32_t seed = 0) { reseed(seed); }

    void reseed(std::uint32_t seed);
    std::uint32_t seed() const { return seed_; }
    // How many outputs the twister gave since the last reseed; with the seed, its whole state.
    std::uint64_t outputs() const { return outputs_; }
    void restore(std::uint32_t seed, std::uint64_t outputs);
    // Uniform in [0, 1), from 53 bits of two outputs.
    double next();

  private:
    std::mt19937 engine_;
    std::uint32_t seed_ = 0;
    std::uint64_t outputs_ = 0;
};

} // namespace ui
