#include "core/ports/random_source.h"

#include <cmath>

namespace velmoran {

std::int16_t drawInt(RandomSource& random, std::int16_t n) {
    random.reseed();
    const float r = random.draw();
    const float product = r * static_cast<float>(n);
    auto k = static_cast<std::int16_t>(std::floor(product) + 1.0F);
    // r < 1 keeps the product below n for every n the machine uses; a source
    // that breaks its contract still cannot push a result out of range.
    if (k < 1) k = 1;
    if (k > n) k = n;
    return k;
}

SystemRandom::SystemRandom() {
    std::random_device device;
    std::seed_seq seed{device(), device(), device(), device(), device(), device(), device(), device()};
    engine_.seed(seed);
}

float SystemRandom::draw() {
    const std::uint32_t k = engine_() >> 8U;  // 24 bits
    return static_cast<float>(k) * (1.0F / 16777216.0F);
}

}  // namespace velmoran
