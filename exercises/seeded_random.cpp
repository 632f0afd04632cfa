#include "exercises/seeded_random.h"

#include <limits>

namespace tovel {

std::uint64_t SeededRandom::Next() {
    m_state += 0x9E3779B97F4A7C15ULL;
    std::uint64_t z = m_state;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

std::uint64_t SeededRandom::Below(std::uint64_t n) {
    if (n == 0) return 0;
    // Values from the incomplete last block of n would favour the small results: drawn again.
    const std::uint64_t max = std::numeric_limits<std::uint64_t>::max();
    const std::uint64_t limit = max - (max % n + 1) % n;
    std::uint64_t value = Next();
    while (value > limit)
        value = Next();
    return value % n;
}

std::int64_t SeededRandom::Between(std::int64_t low, std::int64_t high) {
    if (high <= low) return low;
    const auto span = static_cast<std::uint64_t>(high) - static_cast<std::uint64_t>(low) + 1;
    return static_cast<std::int64_t>(static_cast<std::uint64_t>(low) + Below(span));
}

}  // namespace tovel
