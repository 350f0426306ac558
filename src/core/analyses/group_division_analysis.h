// What differs between the three group-division windows (6, 7 and 10 groups): the grouping,
// the heading texts, the row heights and the shaded groups. One builder draws any of them.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/draws/draw_history.h"
#include "core/draws/draw_tables.h"
#include "core/grid/result_grid.h"

struct GroupDivision {
    struct Group {
        int first;  // numbers first..last, consecutive
        int last;
        std::string letterText;  // written into the group's first column of every letter row
        bool shaded;             // background RGB(200,255,255) in every row from row 2 on
    };
    std::string_view windowName;
    double rowHeight;        // every row
    double firstRowHeight;   // row 1 (title); 0 keeps rowHeight
    double secondRowHeight;  // row 2 (first letter row); 0 keeps rowHeight
    std::string title;       // row 1, runs on across the number columns
    std::vector<Group> groups;
};

// The 6-, 7- and 10-group windows, in that order.
const std::array<GroupDivision, 3>& groupDivisions();

ResultGrid buildGroupDivision(const GroupDivision& division, const DrawHistory& history,
                              const DrawTables& tables);
