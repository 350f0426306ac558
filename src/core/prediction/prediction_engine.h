// The prediction engine: the cycle scan over the draw history and the refresh that derives the
// elimination, multi-shot and one-shot suggestions and writes the four prediction grids.
#pragma once

#include <array>
#include <map>
#include <optional>
#include <vector>

#include "core/draws/draw_history.h"
#include "core/lottery/lottery_rules.h"
#include "core/prediction/prediction_grids.h"

inline constexpr int kCycleMethodCount = 4;
inline constexpr int kCyclePositions = kDrawNumbers;  // 1 to 5 the main numbers, 6 the bonus
inline constexpr std::array<int, kCycleMethodCount> kCycleLengths = {7, 9, 11, 12};

struct EliminationRule {
    int lookBack;  // c: draws before the latest draw
    int position;  // p: 1 to 5 a main number, 6 the bonus
    int offset;    // d
};
inline constexpr int kEliminationRuleCount = 15;
extern const std::array<EliminationRule, kEliminationRuleCount> EliminationRules;

inline constexpr int kMultiShotCells = 10;
inline constexpr int kMultiShotReach = 3;
inline constexpr int kOneShotCells = 5;
inline constexpr int kOneShotReach = 2;

// The numbers of one refresh, before they are written into grids.
struct PredictionNumbers {
    std::array<int, kEliminationRuleCount> EliminationList{};  // rule r's result, wrapped once
    std::vector<int> elimination;  // EliminationList without repeats, in grid order
    std::vector<int> multiShot;    // at most kMultiShotCells
    std::vector<int> oneShot;      // at most kOneShotCells
};

class PredictionEngine {
public:
    // Fills EngineDraws and CycleTable from the complete draws of the history; any earlier
    // content is discarded. Draw numbers below 1 are not stored.
    void ScanCycles(const DrawHistory& history);
    // One step of the cycle scan: stores the draw and records its cycle returns, as ScanCycles
    // does for each complete draw in turn. Feeding a history's complete draws in order leaves
    // the engine exactly as ScanCycles would; the backtest walks forward this way.
    void addDraw(const Draw& draw);

    // The predictions for the draw after latestDrawNo with that many options on (0 to 12).
    PredictionNumbers predict(int latestDrawNo, int enabledOptionCount) const;
    // The four grids, fully styled, holding CycleTable and predict()'s numbers.
    PredictionGrids RefreshPrediction(int latestDrawNo, int enabledOptionCount) const;

    // CycleTable cell (method 0 to 3, position 1 to 6); nothing when no draw qualified.
    std::optional<int> cycleNumber(int method, int position) const;
    // EngineDraws cell (draw number, position 1 to 6); 0 for a draw that is not stored.
    int engineDraw(int drawNo, int position) const;

private:
    struct EngineRow {
        std::array<int, 6> numbers{};
        bool stored = false;
    };

    void storeDraw(int drawNo, const std::array<int, 6>& numbers);
    // The draw numbers whose stored row holds the number, ascending.
    std::vector<int>& appearancesOf(int number);
    // The nearest stored draw below drawNo whose row holds the number, or 0.
    int previousAppearance(int number, int drawNo);

    // Indexed by draw number; sized from the highest draw number stored.
    std::vector<EngineRow> EngineDraws;
    std::array<std::array<std::optional<int>, kCyclePositions>, kCycleMethodCount> CycleTable{};

    // Where each number stands in EngineDraws, kept in step with every row written, so that the
    // nearest earlier appearance is a binary search instead of a walk back over every draw.
    std::array<std::vector<int>, kHighestNumber + 1> m_lotteryAppearances;  // numbers 0 to 31
    std::map<int, std::vector<int>> m_otherAppearances;  // any other stored value
};
