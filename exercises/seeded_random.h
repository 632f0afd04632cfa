#pragma once
// A small random source that gives the same numbers from the same seed on every machine and
// with every standard library: a problem sheet is made again from its seed. The standard
// distributions are not used, because their algorithms differ between libraries.

#include <cstdint>

namespace tovel {

class SeededRandom {
  public:
    explicit SeededRandom(std::uint64_t seed) : m_state(seed) {}

    // The next 64 random bits (SplitMix64).
    std::uint64_t Next();
    // A uniform whole number from 0 to n - 1, without the bias of a plain remainder; 0 when n
    // is 0.
    std::uint64_t Below(std::uint64_t n);
    // A uniform whole number from low to high, both included (low when high < low).
    std::int64_t Between(std::int64_t low, std::int64_t high);

  private:
    std::uint64_t m_state;
};

}  // namespace tovel
