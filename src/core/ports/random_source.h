#pragma once
// Where the machine's chance comes from. The logic never reaches a global
// generator: a RandomSource is handed to the Machine, the program gives it a
// seeded SystemRandom and the tests a scripted one.

#include <cstdint>
#include <random>

namespace velmoran {

class RandomSource {
public:
    virtual ~RandomSource() = default;
    // Called before every draw. A good generator needs no fresh seed, so the
    // real source keeps its sequence here; the step stays so that scripted
    // sources can observe it.
    virtual void reseed() = 0;
    // A uniform value r with 0 <= r < 1.
    virtual float draw() = 0;
};

// A whole number from 1 to n: reseed, draw r, then Int(r * n) + 1 with the
// product in single precision.
std::int16_t drawInt(RandomSource& random, std::int16_t n);

// The program's source: one Mersenne Twister seeded once from the system's
// entropy. A draw is k / 2^24 with k uniform in 0 to 2^24 - 1, so it is exact
// in single precision and never 1.
class SystemRandom final : public RandomSource {
public:
    SystemRandom();
    explicit SystemRandom(std::uint32_t seed) : engine_(seed) {}
    void reseed() override {}
    float draw() override;

private:
    std::mt19937 engine_;
};

}  // namespace velmoran
