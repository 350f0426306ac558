#include "core/analyses/analysis_catalog.h"

#include <array>

#include "core/analyses/analysis_builders.h"

namespace {

constexpr auto R = FrameKind::Resizable;

const std::array kCatalog = {
    AnalysisDescriptor{"出現頻度分析", "出現頻度分析", 13750, 9530,
                       "過去の当選番号の出現回数を数字別に分析します", false, Legend::Dots, R,
                       buildAppearanceFrequency},
    AnalysisDescriptor{"回数別出現分析", "回数別頻度分析", 3405, 7355,
                       "過去の当選番号から出現回数別の数字を分析します", true, Legend::None,
                       FrameKind::FixedDialog, buildAppearanceByCount},
    AnalysisDescriptor{"出現間隔分析", "出現間隔分析", 8630, 13800,
                       "過去の当選数字が何回前に出現しているか分析します", true, Legend::None, R,
                       buildAppearanceInterval},
    AnalysisDescriptor{"数字間隔分析", "数字間隔分析", 8630, 13820,
                       "当選数字を第１数字～第５数字別に前回数字との数字の間隔を分析します", true,
                       Legend::None, R, buildNumberInterval},
    AnalysisDescriptor{"出現回数分析", "出現回数分析", 8590, 13850,
                       "過去の当選数字が何回出現したか分析します", true, Legend::None, R,
                       buildAppearanceCount},
    AnalysisDescriptor{"バラツキ分析", "バラツキ分析", 9750, 12650,
                       "過去の当選番号のバラツキを数字別に分析します", true, Legend::Dots, R,
                       buildDispersion},
    AnalysisDescriptor{"引っ張り分析", "引っ張り分析", 6850, 13500,
                       "過去の当選数字に前回の数字が入っているか分析します", false,
                       Legend::PreviousNumber, R, buildPull},
    AnalysisDescriptor{"連番飛び石分析", "連番・飛び石分析", 6550, 13400,
                       "過去の当選番号の連続数字と一つ飛び数字の傾向を分析します", true,
                       Legend::None, R, buildConsecutive},
    AnalysisDescriptor{"数字合計分析", "数字合計分析", 7350, 13680,
                       "過去の当選番号の本数字＋ボーナス数字合計を分析します", true, Legend::None,
                       R, buildNumberSum},
    AnalysisDescriptor{"低数字高数字の組合せパターン分析", "低数字・高数字の組合せパターン分析",
                       7130, 13600,
                       "過去の当選番号を低数字（０１～１５）と高数字（１６～３１）に分けて組合せ"
                       "パターンを分析します（ボーナス数字は入れていません",
                       true, Legend::None, R, buildLowHighPattern},
    AnalysisDescriptor{"偶数奇数の組合せパターン分析", "偶数・奇数の組合せパターン分析", 7130,
                       13600, "過去の当選番号を偶数と奇数に分類して分析します", true, Legend::None,
                       R, buildOddEvenPattern},
    AnalysisDescriptor{"分割4傾向分析", "4分割傾向分析", 7500, 13600,
                       "過去の当選番号の４グループに分類して分析します", true, Legend::None, R,
                       buildFourGroupTrend},
    AnalysisDescriptor{"分割6データ分析", "6分割データ分析", 9250, 12400,
                       "過去の当選番号の６グループに分類して分析します", false,
                       Legend::DotsAndNoHit, R, buildSixGroupDivision},
    AnalysisDescriptor{"分割7データ分析", "7分割データ分析", 9250, 12200,
                       "過去の当選番号の７グループに分類して分析します", false,
                       Legend::DotsAndNoHit, R, buildSevenGroupDivision},
    AnalysisDescriptor{"分割10データ分析", "10分割データ分析", 9250, 12200,
                       "過去の当選番号の１０グループに分類して分析します", false,
                       Legend::DotsAndNoHit, R, buildTenGroupDivision},
    AnalysisDescriptor{"下一桁出現傾向分析", "下一桁出現傾向分析", 7370, 13980,
                       "過去の当選番号の下一桁の数字の出現傾向を分析します", true, Legend::None, R,
                       buildLastDigitTrend},
    AnalysisDescriptor{"下一桁連続出現回数分析", "下一桁連続出現回数分析", 7370, 13935,
                       "過去の当選番号の下一桁数字が何回続けて出現しているか分析します", true,
                       Legend::None, R, buildLastDigitRun},
};

}  // namespace

std::span<const AnalysisDescriptor> analysisCatalog()
{
    return kCatalog;
}

const AnalysisDescriptor* findAnalysis(std::string_view windowName)
{
    for (const AnalysisDescriptor& descriptor : kCatalog)
        if (descriptor.windowName == windowName) return &descriptor;
    return nullptr;
}
