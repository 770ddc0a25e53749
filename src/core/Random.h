// The process-wide random source: a linear congruential generator on a 32-bit seed
// (seed := seed * 134775813 + 1 mod 2^32). A draw below n is the upper half of the 64-bit
// product of the new seed and n, so it lies in 0 .. n-1; a draw below 0 (or 0) gives 0.
#pragma once
#include <cstdint>

namespace tavrin {

class Random {
  public:
    explicit Random(std::uint32_t seed = 0) : seed_(seed) {}

    void Seed(std::uint32_t seed) { seed_ = seed; }
    std::uint32_t SeedValue() const { return seed_; }

    // Every call advances the seed once, also when n is 0 or negative.
    std::int32_t Below(std::int32_t n) {
        seed_ = seed_ * 134775813u + 1u;
        if (n <= 0) return 0;
        return static_cast<std::int32_t>(
            (static_cast<std::uint64_t>(seed_) * static_cast<std::uint32_t>(n)) >> 32);
    }

  private:
    std::uint32_t seed_;
};

// Milliseconds since midnight of a wall-clock time: the saver's seed.
constexpr std::uint32_t MillisecondsSinceMidnight(unsigned hour, unsigned minute, unsigned second,
                                                  unsigned milliseconds) {
    return ((hour * 60u + minute) * 60u + second) * 1000u + milliseconds;
}

// The one generator of the process, seeded once by the saver window's creation.
Random& SharedRandom();

} // namespace tavrin
