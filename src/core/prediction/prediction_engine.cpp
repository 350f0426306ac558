#include "core/prediction/prediction_engine.h"
#include "core/lottery/lottery_rules.h"

#include <algorithm>
#include <string>

const std::array<EliminationRule, kEliminationRuleCount> EliminationRules = {{
    {1, 1, +10},
    {1, 2, +18},
    {2, 1, 0},
    {2, 6, -7},
    {2, 5, +8},
    {6, 2, -5},
    {7, 1, +3},
    {7, 5, +11},
    {7, 6, +14},
    {8, 1, +7},
    {8, 5, +16},
    {8, 6, -9},
    {9, 1, +4},
    {9, 2, +1},
    {9, 4, +19},
}};

namespace {

// The method whose cycle length is the gap, or -1.
int methodOfGap(int gap)
{
    for (int m = 0; m < kCycleMethodCount; ++m)
        if (kCycleLengths[m] == gap) return m;
    return -1;
}

// One wrap into 1..31; a stored value far outside the range stays outside it.
int wrapOnce(int x)
{
    if (x < kLowestNumber) return x + kNumberCount;
    if (x > kHighestNumber) return x - kNumberCount;
    return x;
}

bool contains(const std::vector<int>& numbers, int n)
{
    return std::find(numbers.begin(), numbers.end(), n) != numbers.end();
}

}  // namespace

std::vector<int>& PredictionEngine::appearancesOf(int number)
{
    if (number >= 0 && number < static_cast<int>(m_lotteryAppearances.size()))
        return m_lotteryAppearances[number];
    return m_otherAppearances[number];
}

void PredictionEngine::storeDraw(int drawNo, const std::array<int, 6>& numbers)
{
    if (static_cast<std::size_t>(drawNo) >= EngineDraws.size()) EngineDraws.resize(drawNo + 1);
    EngineRow& row = EngineDraws[drawNo];
    // A second draw with the same number replaces the row, so its old numbers no longer stand
    // in this draw.
    if (row.stored) {
        for (int k = 0; k < kDrawNumbers; ++k) {
            if (std::find(row.numbers.begin(), row.numbers.begin() + k, row.numbers[k]) !=
                row.numbers.begin() + k)
                continue;
            std::vector<int>& draws = appearancesOf(row.numbers[k]);
            const auto at = std::lower_bound(draws.begin(), draws.end(), drawNo);
            if (at != draws.end() && *at == drawNo) draws.erase(at);
        }
    }
    row.numbers = numbers;
    row.stored = true;
    for (int k = 0; k < kDrawNumbers; ++k) {
        if (std::find(numbers.begin(), numbers.begin() + k, numbers[k]) != numbers.begin() + k)
            continue;
        std::vector<int>& draws = appearancesOf(numbers[k]);
        // Draws normally come in ascending order: appending is the common case.
        if (draws.empty() || draws.back() < drawNo)
            draws.push_back(drawNo);
        else
            draws.insert(std::lower_bound(draws.begin(), draws.end(), drawNo), drawNo);
    }
}

int PredictionEngine::previousAppearance(int number, int drawNo)
{
    const std::vector<int>& draws = appearancesOf(number);
    const auto at = std::lower_bound(draws.begin(), draws.end(), drawNo);
    return at == draws.begin() ? 0 : *(at - 1);
}

void PredictionEngine::ScanCycles(const DrawHistory& history)
{
    EngineDraws.clear();
    CycleTable = {};
    for (auto& draws : m_lotteryAppearances)
        draws.clear();
    m_otherAppearances.clear();

    for (const std::optional<Draw>& draw : history.draws())
        if (draw) addDraw(*draw);
}

void PredictionEngine::addDraw(const Draw& draw)
{
    const int d = draw.drawNo;
    // No earlier draw can be searched below draw 1, and rows below 1 are never read as a
    // source: such a draw is left out entirely.
    if (d < 1) return;
    storeDraw(d, draw.numbers);
    for (int k = 0; k < kCyclePositions; ++k) {
        const int v = draw.numbers[k];
        const int e = previousAppearance(v, d);
        if (e == 0) continue;
        const int m = methodOfGap(d - e);
        if (m >= 0) CycleTable[m][k] = v;
    }
}

std::optional<int> PredictionEngine::cycleNumber(int method, int position) const
{
    if (method < 0 || method >= kCycleMethodCount || position < 1 || position > kCyclePositions)
        return std::nullopt;
    return CycleTable[method][position - 1];
}

int PredictionEngine::engineDraw(int drawNo, int position) const
{
    if (drawNo < 1 || static_cast<std::size_t>(drawNo) >= EngineDraws.size()) return 0;
    if (position < 1 || position > 6) return 0;
    const EngineRow& row = EngineDraws[drawNo];
    return row.stored ? row.numbers[position - 1] : 0;
}

PredictionNumbers PredictionEngine::predict(int latestDrawNo, int enabledOptionCount) const
{
    PredictionNumbers result;
    for (int r = 0; r < kEliminationRuleCount; ++r) {
        const EliminationRule& rule = EliminationRules[r];
        // A source draw before draw 1 (a short history, many options on) or one that holds no
        // complete draw reads as an empty row: the rule yields its offset, wrapped.
        const int source = latestDrawNo - rule.lookBack - enabledOptionCount;
        const int x = wrapOnce(engineDraw(source, rule.position) + rule.offset);
        result.EliminationList[r] = x;
        if (!contains(result.elimination, x)) result.elimination.push_back(x);
    }

    // Candidates are cycle numbers near an elimination number, visited per elimination entry
    // (repeats included), method and position; a method stops at its first empty position.
    const auto visit = [&](int reach, std::size_t cells, std::vector<int>& placed) {
        for (const int z : result.EliminationList) {
            for (int m = 0; m < kCycleMethodCount; ++m) {
                for (int k = 0; k < kCyclePositions; ++k) {
                    const std::optional<int>& y = CycleTable[m][k];
                    if (!y) break;
                    if (z < *y - reach || z > *y + reach) continue;
                    if (contains(placed, *y)) continue;
                    placed.push_back(*y);
                    if (placed.size() == cells) return;
                }
            }
        }
    };
    visit(kMultiShotReach, kMultiShotCells, result.multiShot);
    visit(kOneShotReach, kOneShotCells, result.oneShot);
    return result;
}

PredictionGrids PredictionEngine::RefreshPrediction(int latestDrawNo, int enabledOptionCount) const
{
    PredictionGrids grids;
    for (int g = 0; g < kPredictionGridCount; ++g)
        grids[g] = blankPredictionGrid(g);

    for (int m = 0; m < kCycleMethodCount; ++m)
        for (int k = 1; k <= kDataColumns; ++k)
            if (const auto y = CycleTable[m][k - 1])
                grids[kCycleGrid].setNumber(k + 1, m + kFirstDataRow, *y);

    const PredictionNumbers numbers = predict(latestDrawNo, enabledOptionCount);
    // Left to right across the five data columns, then down to the next row.
    const auto place = [](ResultGrid& grid, const std::vector<int>& values) {
        for (std::size_t i = 0; i < values.size(); ++i)
            grid.setNumber(kFirstDataColumn + static_cast<int>(i % kDataColumns),
                           kFirstDataRow + static_cast<int>(i / kDataColumns), values[i]);
    };
    place(grids[kEliminationGrid], numbers.elimination);
    place(grids[kMultiShotGrid], numbers.multiShot);
    place(grids[kOneShotGrid], numbers.oneShot);
    return grids;
}
