#include "core/generate/enemyplan.h"

#include <algorithm>
#include <initializer_list>

namespace grimtally {

namespace {

constexpr int kDieSides = 6;
constexpr int kSpeedDice = 4;
constexpr int kMagicLevels = 10;

int dice(RandomSource& random, int count)
{
    return rollDice(random, count, kDieSides, 0);
}

// A draw below n that is none of `excluded`, uniform over the rest: what drawing again
// until the draw is allowed gives, without the chance of drawing forever. With nothing
// allowed, 0.
int drawExcept(RandomSource& random, int n, std::initializer_list<int> excluded)
{
    const auto isExcluded = [&](int index) { return std::ranges::count(excluded, index) > 0; };
    int allowed = 0;
    for (int index = 0; index < n; ++index)
        allowed += isExcluded(index) ? 0 : 1;
    if (allowed == 0)
        return 0;
    int pick = random.below(allowed);
    for (int index = 0;; ++index) {
        if (!isExcluded(index) && pick-- == 0)
            return index;
    }
}

// The value itself, or when rolled a draw below it plus 1 (so 1 for a bound of 0).
int valueOrRolled(const std::string& text, bool rolled, RandomSource& random)
{
    const int bound = countValue(text, 0, kMaxLevelBound);
    return rolled ? random.below(bound) + 1 : bound;
}

// The count itself, or when rolled a draw from 0 up to it.
int countOrRolled(const std::string& text, bool rolled, int maximum, RandomSource& random)
{
    const int count = countValue(text, 0, maximum);
    return rolled ? random.below(count + 1) : count;
}

// Keeps `keep` of the indices 0 to n - 1, dropping one at random while more remain.
std::vector<int> keepAtRandom(int n, int keep, RandomSource& random)
{
    std::vector<int> kept(static_cast<std::size_t>(std::max(n, 0)));
    for (int i = 0; i < n; ++i)
        kept[static_cast<std::size_t>(i)] = i;
    while (static_cast<int>(kept.size()) > keep)
        kept.erase(kept.begin() + random.below(static_cast<int>(kept.size())));
    return kept;
}

// A first list and its second, which holds the none word before the same entries: the
// second draw never lands on the first's entry.
void drawPair(RandomSource& random, int firstSize, int secondSize, std::optional<int>& first,
              std::optional<int>& second)
{
    first = random.below(firstSize);
    const int selected = firstSize > 0 ? *first : -1;
    second = drawExcept(random, secondSize, {selected + 1});
}

} // namespace

EnemyPlan planEnemy(const GenerationSettings& settings, const ListSizes& lists,
                    RandomSource& random)
{
    EnemyPlan plan;
    const int n = diceCount(settings);
    plan.dexterity = dice(random, n);
    plan.strength = dice(random, n);
    plan.hp = dice(random, n);
    plan.sp = dice(random, n);
    plan.mainSpeed = dice(random, kSpeedDice);

    plan.size = random.below(lists.size);
    plan.hardness = random.below(lists.hardness);

    plan.level = valueOrRolled(settings.level, settings.levelRolled, random);
    plan.celebrity = valueOrRolled(settings.celebrity, settings.celebrityRolled, random);
    if (settings.celebrityTextRolled)
        plan.celebrityText = random.below(lists.celebrityText);

    if (settings.classifyRolled)
        plan.classify = random.below(lists.classify);
    if (settings.frequencyRolled)
        plan.frequency = random.below(lists.frequency);
    if (settings.intelligenceRolled)
        plan.intelligence = random.below(lists.intelligence);
    if (settings.senseRolled)
        plan.sense = random.below(lists.sense);
    if (settings.countRolled)
        drawPair(random, lists.count1, lists.count2, plan.count1, plan.count2);
    if (settings.reactionRolled)
        drawPair(random, lists.reaction1, lists.reaction2, plan.reaction1, plan.reaction2);

    const int movements =
        countOrRolled(settings.movements, settings.movementsRolled, kMaxMovements, random);
    if (movements >= 1)
        plan.movement1 = random.below(lists.movement1);
    if (movements >= 2) {
        plan.movement2 = drawExcept(random, lists.movement2, {plan.movement1 + 1});
        if (plan.movement2 > 0)
            plan.subSpeed = dice(random, kSpeedDice);
    }

    auto& [a1, a2, a3] = plan.attacks;
    const int attacks =
        countOrRolled(settings.attacks, settings.attacksRolled, kMaxAttacks, random);
    if (attacks >= 1)
        a1 = random.below(lists.attacks[0]);
    if (attacks >= 2)
        a2 = drawExcept(random, lists.attacks[1], {a1 + 1});
    if (attacks >= 3)
        a3 = drawExcept(random, lists.attacks[2], {a2, a1 + 1});

    // The magic lists all hold the none word first, so an index means one magic in all three.
    auto& [g1, g2, g3] = plan.magics;
    const int magics = countOrRolled(settings.magics, settings.magicsRolled, kMaxMagics, random);
    const auto magicLevel = [&](int magic, std::optional<int>& level) {
        if (magic > 0)
            level = random.below(kMagicLevels) + 1;
    };
    if (magics >= 1) {
        g1 = random.below(lists.magics[0]);
        magicLevel(g1, plan.magicLevels[0]);
    }
    if (magics >= 2) {
        g2 = drawExcept(random, lists.magics[1], {g1});
        magicLevel(g2, plan.magicLevels[1]);
    }
    if (magics >= 3) {
        g3 = drawExcept(random, lists.magics[2], {g2, g1});
        magicLevel(g3, plan.magicLevels[2]);
    }

    const int abilities =
        countOrRolled(settings.abilities, settings.abilitiesRolled, lists.abilities, random);
    plan.abilities = keepAtRandom(lists.abilities, abilities, random);
    const int subSenses =
        countOrRolled(settings.subSenses, settings.subSensesRolled, lists.subSenses, random);
    plan.subSenses = keepAtRandom(lists.subSenses, subSenses, random);
    return plan;
}

} // namespace grimtally
