// The pure functions that build each analysis grid from the snapshot and the draw tables.
// Each is defined in its own source file in this folder.
#pragma once

#include "core/draws/draw_history.h"
#include "core/draws/draw_tables.h"
#include "core/grid/result_grid.h"

// Dot matrices, counts and intervals of each number, draw by draw
// 出現頻度分析: one dot per appearance of each number, blue as main number, pink as bonus.
ResultGrid buildAppearanceFrequency(const DrawHistory& history, const DrawTables& tables);
// 出現間隔分析: how many draws earlier each number of every draw last came up.
ResultGrid buildAppearanceInterval(const DrawHistory& history, const DrawTables& tables);
// 出現回数分析: how many earlier draws held each number of every draw.
ResultGrid buildAppearanceCount(const DrawHistory& history, const DrawTables& tables);
// 数字間隔分析: each number's difference from the same field of the previous draw.
ResultGrid buildNumberInterval(const DrawHistory& history, const DrawTables& tables);
// 引っ張り分析: numbers of every draw that the previous draw also held.
ResultGrid buildPull(const DrawHistory& history, const DrawTables& tables);
// 連番飛び石分析: neighbouring main numbers one apart and two apart.
ResultGrid buildConsecutive(const DrawHistory& history, const DrawTables& tables);
// 数字合計分析: the sum of the main numbers, and with the bonus number.
ResultGrid buildNumberSum(const DrawHistory& history, const DrawTables& tables);

// Patterns, groups of numbers and last digits
// 偶数奇数の組合せパターン分析: even/odd counts of the main numbers and a pattern letter.
ResultGrid buildOddEvenPattern(const DrawHistory& history, const DrawTables& tables);
// 低数字高数字の組合せパターン分析: low (1..15) / high counts and a pattern letter.
ResultGrid buildLowHighPattern(const DrawHistory& history, const DrawTables& tables);
// 分割4傾向分析: numbers coloured and counted by tens group, heading every 50 draws.
ResultGrid buildFourGroupTrend(const DrawHistory& history, const DrawTables& tables);
// 分割6データ分析, 分割7データ分析, 分割10データ分析: dot rows with the missed groups grey.
ResultGrid buildSixGroupDivision(const DrawHistory& history, const DrawTables& tables);
ResultGrid buildSevenGroupDivision(const DrawHistory& history, const DrawTables& tables);
ResultGrid buildTenGroupDivision(const DrawHistory& history, const DrawTables& tables);
// 下一桁出現傾向分析: each draw's last digits, coloured by how often each occurs.
ResultGrid buildLastDigitTrend(const DrawHistory& history, const DrawTables& tables);
// 下一桁連続出現回数分析: how many times in a row each last digit has come up.
ResultGrid buildLastDigitRun(const DrawHistory& history, const DrawTables& tables);
// バラツキ分析: the whole history as a dot matrix, one column per number.
ResultGrid buildDispersion(const DrawHistory& history, const DrawTables& tables);
// 回数別出現分析: the numbers grouped by appearance count.
ResultGrid buildAppearanceByCount(const DrawHistory& history, const DrawTables& tables);
