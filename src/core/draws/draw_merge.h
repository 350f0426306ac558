// Bringing draws read from a file into the stored history: what would change (the preview) and
// the history that results from adding and replacing (追加・更新) or from replacing all.
#pragma once

#include <string>
#include <vector>

#include "core/base/result.h"
#include "core/draws/draw_csv.h"
#include "core/draws/draw_row.h"

enum class MergeMode {
    AddAndReplace,  // 追加・更新: new draws added, changed ones replaced, others kept
    ReplaceAll,     // 全て置き換え: the file becomes the history
};

struct ChangedDraw {
    DrawRow stored;
    DrawRow incoming;
};

struct MergePlan {
    std::vector<int> added;            // draw numbers the history lacks, in file order
    std::vector<ChangedDraw> changed;  // same draw number, other numbers or date, ascending
    int unchanged = 0;                 // draws the file and the history hold alike
    int storedRows = 0;                // rows of the history as it was
    // Stored rows whose draw number the file lacks (a replacement removes them), and surplus
    // rows of a draw number stored twice (both modes keep only one row of each draw).
    int storedOnly = 0, duplicates = 0;
    std::vector<DrawRow> onlyStored;  // those stored rows themselves, for the preview to list
    std::vector<DrawRow> merged;      // the history after 追加・更新, in draw order
};

// Compares the file's rows with the stored ones. A file row differs from the stored row of its
// draw number when a number differs, or when the file gives a date the stored row lacks or holds
// otherwise; a file without dates keeps the stored ones.
MergePlan planMerge(const std::vector<DrawRow>& stored, const std::vector<DrawRow>& incoming);

// Prize data read from a file laid over the stored prize table, field by field: an amount the
// file gives replaces the stored one, an amount the file lacks keeps the stored one.
struct PrizeDifference {
    int drawNo = 0;
    int field = 0;  // see prizeFieldName()
    long long stored = 0;
    long long incoming = 0;
};
struct PrizeMerge {
    int drawsWithPrizes = 0;                 // draws of the file that bring prize data
    int newAmounts = 0;                      // fields the stored table lacks and the file gives
    std::vector<PrizeDifference> differing;  // stored amounts the file gives otherwise, ascending
    std::vector<DrawPrizes> merged;          // the prize table after the merge, ascending
    bool changes() const { return newAmounts > 0 || !differing.empty(); }
};
PrizeMerge planPrizeMerge(const std::vector<DrawPrizes>& stored,
                          const std::vector<DrawPrizes>& incoming);
// The prizes of the draw numbers `rows` hold: a history that loses a draw loses its prizes.
std::vector<DrawPrizes> prizesOfDraws(const std::vector<DrawPrizes>& prizes,
                                      const std::vector<DrawRow>& rows);

// "N件追加、N件更新、N件同じ" style counts, used by the command line and the program alike.
struct MergeSummary {
    int added = 0, replaced = 0, unchanged = 0, rejected = 0;
    int removed = 0;                        // stored rows the write takes away
    int withPrizes = 0, prizesChanged = 0;  // draws bringing prize data; amounts added or changed
};
// "3 added, 1 replaced, 1350 unchanged, 0 rejected"; with rows removed
// "0 added, 1353 replaced, 0 unchanged, 31414 removed, 0 rejected"; when the file brings prizes
// ", prizes for 1353 draws (12 amounts new or changed)" follows.
std::string summaryLine(const MergeSummary& summary);

// True when some row is a complete draw.
bool holdsDraws(const std::vector<DrawRow>& rows);

// A CSV file read for import and compared with the stored history: what the preview shows.
struct CsvImport {
    DrawCsv file;       // rows sorted by draw number, and the rejected lines
    MergePlan plan;     // against the stored rows
    PrizeMerge prizes;  // against the stored prize table
    // The counts of writing `mode`: a replacement also removes the draws the file lacks.
    MergeSummary summary(MergeMode mode = MergeMode::AddAndReplace) const;
    // True when 追加・更新 would write anything (draws or prize amounts).
    bool addsOrChanges() const;
    // The prize table to write with `mode`: amounts the file lacks are kept in both modes, for
    // the draws the history goes on holding.
    std::vector<DrawPrizes> prizesAfter(MergeMode mode) const;
};
// Sorts the file's rows and plans them (and its prizes) against the stored ones.
CsvImport planCsvImport(DrawCsv file, const std::vector<DrawRow>& stored,
                        const std::vector<DrawPrizes>& storedPrizes = {});
// Reads the bytes strictly and plans them; fails when the file as a whole is unusable.
Result<CsvImport> prepareCsvImport(std::string_view bytes, CsvEncoding encoding,
                                   const std::vector<DrawRow>& stored,
                                   const std::vector<DrawPrizes>& storedPrizes = {});
