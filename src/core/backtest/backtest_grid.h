// The backtest as a result grid: one table per suggestion set (hits observed beside chance, the
// 95% interval and p-value, prize tiers, a plain verdict and the honest option choice).
#pragma once

#include <string>

#include "core/backtest/backtest.h"
#include "core/backtest/backtest_summary.h"
#include "core/grid/result_grid.h"

// One sentence saying whether the set did better than chance, in the player's words.
std::string chanceVerdict(const SetSummary& summary, const ChanceTest& test);
// One sentence on the option count chosen on the first half and how it did on the second.
std::string optionChoiceText(const Backtest& backtest, const OptionChoice& choice);

// p-values as the window shows them: three decimals, or two significant digits when small.
std::string formatPValue(double p);

ResultGrid backtestGrid(const Backtest& backtest, int enabledOptionCount);
