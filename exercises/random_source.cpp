#include "exercises/random_source.h"

#include <memory>
#include <random>

namespace tovel {

RandomIndex UniformRandomIndex() {
    auto engine = std::make_shared<std::mt19937>(std::random_device{}());
    return [engine](std::size_t n) {
        return n == 0 ? std::size_t{0}
                      : std::uniform_int_distribution<std::size_t>(0, n - 1)(*engine);
    };
}

}  // namespace tovel
