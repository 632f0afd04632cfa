#pragma once
// The random choices of the exercises (a valence, a reaction type, a reaction), injectable so
// that tests are deterministic.

#include <cstddef>
#include <functional>

namespace tovel {

// A uniform random index from 0 to n - 1 (0 when n is 0).
using RandomIndex = std::function<std::size_t(std::size_t n)>;
RandomIndex UniformRandomIndex();

}  // namespace tovel
