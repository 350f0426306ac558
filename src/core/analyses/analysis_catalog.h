// The table of analysis windows: what each window is called, how it looks and which pure
// function builds its grid. One window class shows any row of this table.
#pragma once

#include <span>
#include <string_view>

#include "core/draws/draw_history.h"
#include "core/draws/draw_tables.h"
#include "core/grid/result_grid.h"

enum class Legend {
    None,
    Dots,            // blue and pink dot: "：本数字", "：ボーナス数字"
    PreviousNumber,  // swatch RGB(128,255,255): ":前回の数字"
    DotsAndNoHit,    // the two dots plus swatch RGB(224,224,224): ":該当なし"
};

enum class FrameKind { Resizable, FixedDialog };

using AnalysisBuilder = ResultGrid (*)(const DrawHistory&, const DrawTables&);

struct AnalysisDescriptor {
    std::string_view windowName;  // the system's window name, used by menu and CLI
    std::string_view caption;     // title bar
    int widthTwips;
    int heightTwips;
    std::string_view description;  // Label1
    bool hasPrintButton;
    Legend legend;
    FrameKind frame;
    AnalysisBuilder build;
};

std::span<const AnalysisDescriptor> analysisCatalog();
// The descriptor of a window name, or nullptr.
const AnalysisDescriptor* findAnalysis(std::string_view windowName);
