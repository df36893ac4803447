#include "core/generate/dice.h"

#include <chrono>

namespace grimtally {

RandomSource RandomSource::seededFromClock()
{
    const auto now = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    return RandomSource(static_cast<std::uint64_t>(now));
}

int RandomSource::below(int n)
{
    if (n <= 0)
        return 0;
    return std::uniform_int_distribution<int>(0, n - 1)(engine_);
}

int rollDice(RandomSource& random, int dice, int sides, int bonus)
{
    int sum = bonus;
    for (int die = 0; die < dice; ++die)
        sum += random.below(sides) + 1;
    return sum;
}

} // namespace grimtally
