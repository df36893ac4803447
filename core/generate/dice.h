// The program's random numbers: one seedable generator, uniform draws below a bound, and
// six-sided dice.
#pragma once

#include <cstdint>
#include <random>

namespace grimtally {

class RandomSource {
public:
    explicit RandomSource(std::uint64_t seed) : engine_(seed) {}
    static RandomSource seededFromClock();

    // A uniform integer from 0 to n - 1; 0 when n is 0 or less.
    int below(int n);

private:
    std::mt19937_64 engine_;
};

// The bonus plus, for each die, a draw below `sides` plus 1; no dice (or fewer) give the
// bonus alone.
int rollDice(RandomSource& random, int dice, int sides, int bonus);

} // namespace grimtally
