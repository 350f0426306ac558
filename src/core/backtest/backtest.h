// The walk-forward backtest of the prediction: for every target draw, the suggestions the
// prediction window would have shown with only the earlier draws in the history, for every
// enabled-option count, scored against that draw.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/draws/draw_history.h"
#include "core/prediction/prediction_engine.h"

// The seven suggestion sets, in window order.
inline constexpr int kSuggestionSetCount = 7;
inline constexpr int kOptionCounts = 13;  // enabled-option counts 0 to 12
extern const std::array<const char*, kSuggestionSetCount> kSuggestionSetNames;
inline constexpr int kEliminationSet = 4;
inline constexpr int kMultiShotSet = 5;
inline constexpr int kOneShotSet = 6;

// A set is the distinct numbers its grid shows, in grid order.
using SuggestionSets = std::array<std::vector<int>, kSuggestionSetCount>;

// The suggestions of one engine state, exactly as the prediction window's grids show them.
SuggestionSets suggestionSets(const PredictionEngine& engine, int latestDrawNo,
                              int enabledOptionCount);

// Walks a history (ascending draw numbers, as DrawHistory holds it) forward, feeding the engine
// one draw at a time, so that the cycle scan is never rerun from the start.
class SuggestionWalk {
public:
    explicit SuggestionWalk(const DrawHistory& history);
    // Feeds every row whose draw number is below targetDrawNo and that has not been fed yet;
    // afterwards the engine holds exactly the draws before the target.
    void advanceTo(int targetDrawNo);
    // Feeds every remaining row: the state the prediction window shows for the next draw.
    void advanceToEnd();
    SuggestionSets suggestions(int enabledOptionCount) const;
    const PredictionEngine& engine() const { return m_engine; }
    int latestDrawNo() const { return m_latestDrawNo; }

private:
    const DrawHistory& m_history;
    std::size_t m_fed = 0;
    PredictionEngine m_engine;
    int m_latestDrawNo = 0;  // as LoadDrawTables gives for the rows fed so far
};

// One set scored against one target draw. Only numbers 1 to 31 count: anything else in a set
// is not a lottery number.
struct SetOutcome {
    std::uint8_t size = 0;  // distinct lottery numbers in the set
    std::uint8_t hits = 0;  // main numbers of the target in the set
    bool bonus = false;     // the target's bonus number is in the set
};

class Backtest {
public:
    Backtest() = default;
    Backtest(int from, std::vector<int> targetDrawNos);

    int from() const { return m_from; }
    std::size_t targetCount() const { return m_targetDrawNos.size(); }
    const std::vector<int>& targetDrawNos() const { return m_targetDrawNos; }
    const SetOutcome& outcome(int enabledOptionCount, int set, std::size_t target) const;
    SetOutcome& outcome(int enabledOptionCount, int set, std::size_t target);
    std::size_t memoryBytes() const;

private:
    int m_from = 0;
    std::vector<int> m_targetDrawNos;
    // [option count][set][target]
    std::vector<SetOutcome> m_outcomes;
};

// 回数 of the 50th complete draw, the default first target; nothing when there are fewer.
std::optional<int> defaultFirstTarget(const DrawHistory& history);

// Every complete draw whose 回数 is at least `from` is a target.
Backtest runBacktest(const DrawHistory& history, int from);
