// The one palette: every colour the grids, their legends, the version picture and the entry
// window use. Each colour value is written once, as a tone; code names a colour by what it means.
#pragma once

#include "core/grid/rgb.h"

#include <array>

// Tones. Several meanings share one tone on purpose: the player learns "pale yellow is the
// draw-number column" across every window.
// kBlack (plain text and ruled lines) and kWhite (plain background) come with Rgb.
inline constexpr Rgb kRed = rgb(255, 0, 0);
inline constexpr Rgb kBlue = rgb(0, 0, 255);
inline constexpr Rgb kPaleYellow = rgb(255, 255, 200);
inline constexpr Rgb kPalePink = rgb(255, 200, 200);
inline constexpr Rgb kPaleCyan = rgb(200, 255, 255);
inline constexpr Rgb kPaleGreen = rgb(200, 255, 200);
inline constexpr Rgb kPaleMagenta = rgb(255, 200, 255);
inline constexpr Rgb kPaleLavender = rgb(200, 200, 255);
inline constexpr Rgb kPaleGrey = rgb(225, 225, 225);
inline constexpr Rgb kSkyBlue = rgb(136, 196, 255);

// Draw numbers and headings.
inline constexpr Rgb kDrawNoText = kRed;
inline constexpr Rgb kDrawNoBack = kPaleYellow;
// 出現間隔分析 sets its draw-number column apart from the interval columns beside it.
inline constexpr Rgb kIntervalDrawNoBack = kPaleCyan;
inline constexpr Rgb kHeadingText = kBlue;
inline constexpr Rgb kHeadingBack = kPalePink;
// A title band inside a grid and the scale of counts under it (出現頻度分析).
inline constexpr Rgb kTitleText = kRed;
inline constexpr Rgb kTitleBack = kPaleYellow;
// The bonus number's column beside the draw number's.
inline constexpr Rgb kBonusColumnBack = kPaleYellow;
// 回数別出現分析: the column of appearance counts that keys each row.
inline constexpr Rgb kCountKeyBack = kPaleYellow;
// The labels down the first column of a summary table (the backtest).
inline constexpr Rgb kRowLabelBack = kPaleYellow;
// Tickets: a matched main number, a matched bonus number, the prize tiers 1等..4等, the totals.
inline constexpr Rgb kMatchedMainBack = kPalePink;
inline constexpr Rgb kMatchedBonusBack = kPaleMagenta;
inline constexpr std::array<Rgb, 4> kPrizeTierBacks = {kPalePink, kPaleMagenta, kPaleYellow,
                                                       kPaleGreen};
inline constexpr Rgb kTotalRowBack = kPaleGreen;
// 購入記録: a ticket whose draw is not in the history yet, and a prize the player typed (it wins
// over the amount imported with the draws).
inline constexpr Rgb kNotDrawnText = rgb(128, 128, 128);
inline constexpr Rgb kTypedPrizeText = kBlue;
// The import preview: a changed draw as stored (grey) and as the file has it (red).
inline constexpr Rgb kStoredValueText = rgb(128, 128, 128);
inline constexpr Rgb kFileValueText = kRed;
// The ruled lines of a summary table (statistics, tickets, the import preview).
inline constexpr Rgb kSummaryRule = rgb(160, 160, 160);

// Counts and sums.
inline constexpr Rgb kFigureText = kBlue;
inline constexpr Rgb kFigureBack = kPaleCyan;
// The red rule before the count columns of 分割4傾向分析.
inline constexpr Rgb kCountRule = kRed;
// The heading row over those count columns.
inline constexpr Rgb kCountHeadingBack = kPaleLavender;
// The second figure heading of 出現回数分析 (red on green beside blue on cyan).
inline constexpr Rgb kOtherFigureText = kRed;
inline constexpr Rgb kOtherFigureBack = kPaleGreen;

// A cell that meets the window's test: an even or low number, a number the previous draw also
// held, the shaded groups of the group division.
inline constexpr Rgb kMarkedBack = kPaleCyan;

// The numbers 1..31 as headings or as a list: text, the band they sit in, and the number row
// of バラツキ分析.
inline constexpr Rgb kNumberText = kBlue;
inline constexpr Rgb kNumberBack = rgb(222, 254, 253);
inline constexpr Rgb kNumberRowBack = kPaleCyan;

// Dot matrices (出現頻度分析, バラツキ分析, the group division).
inline constexpr Rgb kMainDot = rgb(62, 158, 255);    // "●" of a main number
inline constexpr Rgb kBonusDot = rgb(255, 128, 192);  // "●" of the bonus number
inline constexpr Rgb kDotGridLine = kSkyBlue;

// Chart lines, one per suggestion set of the backtest: the dot and text colours, with darker
// shades where a pale background tone would not show as a line.
inline constexpr std::array<Rgb, 7> kChartLines = {
    kMainDot, kBlue, rgb(0, 160, 0), rgb(160, 100, 0), kRed, kBonusDot, rgb(128, 0, 160)};
inline constexpr Rgb kNoHitBack = rgb(210, 210, 210);  // a group without a number in the draw

// Backgrounds that rise with a level: pattern letters A..F, run lengths, how often a last digit
// occurs, the tens groups of 分割4傾向分析. Level 0 is plain.
inline constexpr std::array<Rgb, 6> kLevelBacks = {kWhite,      kPaleCyan,    kPaleGreen,
                                                   kPaleYellow, kPaleMagenta, kPalePink};
// A last digit's run of exactly twelve draws.
inline constexpr Rgb kTwelveRunBack = kPaleGrey;

// 数字間隔分析: a number lower than the same field of the previous draw.
inline constexpr Rgb kFallBack = kPaleMagenta;
// 連番飛び石分析: the two heading groups, the pairs found and the draws without a pair.
inline constexpr Rgb kConsecutiveHeadingBack = kPaleMagenta;
inline constexpr Rgb kSteppingStoneHeadingBack = kPalePink;
inline constexpr Rgb kConsecutivePairBack = kPaleCyan;
inline constexpr Rgb kSteppingStonePairBack = kPaleGreen;
inline constexpr Rgb kNoPairBack = kPaleGrey;

// Legend swatches, which the window layouts give their own shades.
inline constexpr Rgb kPreviousNumberSwatch = rgb(128, 255, 255);
inline constexpr Rgb kNoHitSwatch = rgb(224, 224, 224);
inline constexpr Rgb kSwatchBorder = kBlack;

// The draw data entry window: the draw-number column as in the grids, the bonus number column.
inline constexpr Rgb kEntryBonusText = kBlue;
inline constexpr Rgb kEntryBonusBack = rgb(197, 255, 255);

// The grid view: the area beyond the last cell, and the frame of the active cell.
inline constexpr Rgb kOutsideGridBack = rgb(212, 208, 200);
inline constexpr Rgb kActiveCellFrame = kBlack;

// The version picture: a board fading from the draw-number yellow to the heading pink, its edge
// and faint lines, and a ball's shine and number disc.
inline constexpr Rgb kBoardTop = kPaleYellow;
inline constexpr Rgb kBoardBottom = kPalePink;
inline constexpr Rgb kBoardEdge = rgb(200, 120, 120);
inline constexpr Rgb kBoardLine = rgb(230, 170, 170);
inline constexpr Rgb kBallShine = kWhite;
inline constexpr Rgb kBallLabelBack = kWhite;
