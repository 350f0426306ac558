#include "core/backtest/backtest.h"

#include <algorithm>
#include <bit>
#include <utility>

#include "core/draws/draw_row.h"

const std::array<const char*, kSuggestionSetCount> kSuggestionSetNames = {
    "7回周期法", "9回周期法", "11回周期法", "12回周期法", "消去法", "連発予想", "１発予想"};

namespace {

constexpr int kDefaultTargetIndex = 50;  // the 50th complete draw

void addDistinct(std::vector<int>& set, int n)
{
    if (std::find(set.begin(), set.end(), n) == set.end()) set.push_back(n);
}

// Bit n set for each lottery number n in the values.
std::uint32_t numberMask(const int* begin, const int* end)
{
    std::uint32_t mask = 0;
    for (const int* n = begin; n != end; ++n)
        if (isValidNumber(*n)) mask |= std::uint32_t{1} << *n;
    return mask;
}

std::uint32_t numberMask(const std::vector<int>& set)
{
    return numberMask(set.data(), set.data() + set.size());
}

}  // namespace

SuggestionSets suggestionSets(const PredictionEngine& engine, int latestDrawNo,
                              int enabledOptionCount)
{
    SuggestionSets sets;
    // The cycle grid shows positions 1 to 5 of each method's row.
    for (int m = 0; m < kCycleMethodCount; ++m)
        for (int k = 1; k <= kMainCount; ++k)
            if (const auto y = engine.cycleNumber(m, k)) addDistinct(sets[m], *y);
    PredictionNumbers numbers = engine.predict(latestDrawNo, enabledOptionCount);
    sets[kEliminationSet] = std::move(numbers.elimination);
    sets[kMultiShotSet] = std::move(numbers.multiShot);
    sets[kOneShotSet] = std::move(numbers.oneShot);
    return sets;
}

SuggestionWalk::SuggestionWalk(const DrawHistory& history) : m_history(history) {}

void SuggestionWalk::advanceTo(int targetDrawNo)
{
    const auto& draws = m_history.draws();
    while (m_fed < draws.size()) {
        const auto& draw = draws[m_fed];
        if (draw) {
            if (draw->drawNo >= targetDrawNo) return;
            m_engine.addDraw(*draw);
            m_latestDrawNo = draw->drawNo;
        }
        ++m_fed;
    }
}

void SuggestionWalk::advanceToEnd()
{
    const auto& draws = m_history.draws();
    for (; m_fed < draws.size(); ++m_fed) {
        if (!draws[m_fed]) continue;
        m_engine.addDraw(*draws[m_fed]);
        m_latestDrawNo = draws[m_fed]->drawNo;
    }
}

SuggestionSets SuggestionWalk::suggestions(int enabledOptionCount) const
{
    return suggestionSets(m_engine, m_latestDrawNo, enabledOptionCount);
}

Backtest::Backtest(int from, std::vector<int> targetDrawNos)
    : m_from(from), m_targetDrawNos(std::move(targetDrawNos)),
      m_outcomes(m_targetDrawNos.size() * kOptionCounts * kSuggestionSetCount)
{
}

const SetOutcome& Backtest::outcome(int enabledOptionCount, int set, std::size_t target) const
{
    return m_outcomes[(static_cast<std::size_t>(enabledOptionCount) * kSuggestionSetCount + set) *
                          m_targetDrawNos.size() +
                      target];
}

SetOutcome& Backtest::outcome(int enabledOptionCount, int set, std::size_t target)
{
    return const_cast<SetOutcome&>(std::as_const(*this).outcome(enabledOptionCount, set, target));
}

std::size_t Backtest::memoryBytes() const
{
    return sizeof(*this) + m_targetDrawNos.capacity() * sizeof(int) +
           m_outcomes.capacity() * sizeof(SetOutcome);
}

std::optional<int> defaultFirstTarget(const DrawHistory& history)
{
    int seen = 0;
    for (const auto& draw : history.draws())
        if (draw && ++seen == kDefaultTargetIndex) return draw->drawNo;
    return std::nullopt;
}

Backtest runBacktest(const DrawHistory& history, int from)
{
    std::vector<int> targets;
    for (const auto& draw : history.draws())
        if (draw && draw->drawNo >= from) targets.push_back(draw->drawNo);
    Backtest backtest(from, targets);

    SuggestionWalk walk(history);
    std::size_t t = 0;
    for (const auto& draw : history.draws()) {
        if (!draw || draw->drawNo < from) continue;
        walk.advanceTo(draw->drawNo);
        const std::uint32_t main =
            numberMask(draw->numbers.data(), draw->numbers.data() + kMainCount);
        const std::uint32_t bonus =
            numberMask(&draw->numbers[kBonusIndex], &draw->numbers[kBonusIndex] + 1);
        const auto score = [&](const std::vector<int>& set) {
            const std::uint32_t mask = numberMask(set);
            return SetOutcome{static_cast<std::uint8_t>(std::popcount(mask)),
                              static_cast<std::uint8_t>(std::popcount(mask & main)),
                              (mask & bonus) != 0};
        };
        // The cycle rows do not depend on the options: score them once.
        const SuggestionSets sets = walk.suggestions(0);
        for (int s = 0; s < kSuggestionSetCount; ++s) {
            const SetOutcome outcome = score(sets[s]);
            if (s < kCycleMethodCount)
                for (int n = 0; n < kOptionCounts; ++n)
                    backtest.outcome(n, s, t) = outcome;
            else
                backtest.outcome(0, s, t) = outcome;
        }
        for (int n = 1; n < kOptionCounts; ++n) {
            const PredictionNumbers numbers = walk.engine().predict(walk.latestDrawNo(), n);
            backtest.outcome(n, kEliminationSet, t) = score(numbers.elimination);
            backtest.outcome(n, kMultiShotSet, t) = score(numbers.multiShot);
            backtest.outcome(n, kOneShotSet, t) = score(numbers.oneShot);
        }
        ++t;
    }
    return backtest;
}
