#include "core/draws/draw_merge.h"

#include <algorithm>
#include <map>
#include <unordered_map>

#include "core/draws/draw_csv.h"

namespace {

bool sameNumbers(const DrawRow& a, const DrawRow& b)
{
    for (std::size_t k = 0; k < a.numbers.size(); ++k) {
        const bool emptyA = isEmptyField(a.numbers[k]), emptyB = isEmptyField(b.numbers[k]);
        if (emptyA != emptyB) return false;
        // A stored "05" and a read 5 are the same number.
        if (!emptyA && fieldNumber(a.numbers[k]) != fieldNumber(b.numbers[k])) return false;
    }
    return true;
}

}  // namespace

MergePlan planMerge(const std::vector<DrawRow>& stored, const std::vector<DrawRow>& incoming)
{
    MergePlan plan;
    plan.storedRows = static_cast<int>(stored.size());
    std::unordered_map<int, std::size_t> incomingOf;  // draw number -> index in incoming
    incomingOf.reserve(incoming.size());
    for (std::size_t i = 0; i < incoming.size(); ++i)
        if (const auto drawNo = fieldNumber(incoming[i].drawNo)) incomingOf.emplace(*drawNo, i);

    std::vector<bool> matched(incoming.size(), false);
    reserveRows(plan.merged, stored.size() + incoming.size());
    for (const DrawRow& row : stored) {
        const auto drawNo = fieldNumber(row.drawNo);
        const auto found = drawNo ? incomingOf.find(*drawNo) : incomingOf.end();
        if (found == incomingOf.end()) {
            ++plan.storedOnly;
            plan.onlyStored.push_back(row);
            plan.merged.push_back(row);
            continue;
        }
        // A draw number stored twice: the file's draw takes the place of the first row and the
        // surplus rows go.
        if (matched[found->second]) {
            ++plan.duplicates;
            continue;
        }
        matched[found->second] = true;
        const DrawRow& fileRow = incoming[found->second];
        DrawRow result = fileRow;
        if (isEmptyField(fileRow.date)) result.date = row.date;
        const bool sameDate = rawText(result.date) == rawText(row.date);
        if (sameNumbers(row, fileRow) && sameDate) {
            ++plan.unchanged;
            plan.merged.push_back(row);
        } else {
            plan.changed.push_back({row, result});
            plan.merged.push_back(std::move(result));
        }
    }
    for (std::size_t i = 0; i < incoming.size(); ++i)
        if (!matched[i]) {
            plan.added.push_back(fieldNumber(incoming[i].drawNo).value_or(0));
            plan.merged.push_back(incoming[i]);
        }
    plan.merged = sortedByDrawNo(std::move(plan.merged));
    // Built in stored order, which is nearly always draw order already: checking is far cheaper
    // than sorting 640-byte pairs (a file that changes every date of 32,767 draws).
    const auto byDrawNo = [](const ChangedDraw& a, const ChangedDraw& b) {
        return fieldNumber(a.incoming.drawNo) < fieldNumber(b.incoming.drawNo);
    };
    if (!std::is_sorted(plan.changed.begin(), plan.changed.end(), byDrawNo))
        std::stable_sort(plan.changed.begin(), plan.changed.end(), byDrawNo);
    return plan;
}

std::string summaryLine(const MergeSummary& summary)
{
    // "removed" only when something is: scripts read the four counts of the usual line.
    std::string line = std::to_string(summary.added) + " added, " +
                       std::to_string(summary.replaced) + " replaced, " +
                       std::to_string(summary.unchanged) + " unchanged, ";
    if (summary.removed > 0) line += std::to_string(summary.removed) + " removed, ";
    line += std::to_string(summary.rejected) + " rejected";
    if (summary.withPrizes)
        line += ", prizes for " + std::to_string(summary.withPrizes) + " draws (" +
                std::to_string(summary.prizesChanged) + " amounts new or changed)";
    return line;
}

PrizeMerge planPrizeMerge(const std::vector<DrawPrizes>& stored,
                          const std::vector<DrawPrizes>& incoming)
{
    PrizeMerge merge;
    std::map<int, DrawPrizes> table;
    for (const DrawPrizes& draw : stored)
        table.emplace(draw.drawNo, draw);
    std::map<int, const DrawPrizes*> fileDraws;  // a draw given twice: the later line counts
    for (const DrawPrizes& draw : incoming)
        if (!draw.empty()) fileDraws[draw.drawNo] = &draw;
    merge.drawsWithPrizes = static_cast<int>(fileDraws.size());
    for (const auto& [drawNo, file] : fileDraws) {
        DrawPrizes& target = table[drawNo];
        target.drawNo = drawNo;
        for (int p = 0; p < kPrizeFieldCount; ++p) {
            const auto& given = prizeField(*file, p);
            if (!given) continue;
            auto& kept = prizeField(target, p);
            if (!kept)
                ++merge.newAmounts;
            else if (*kept != *given)
                merge.differing.push_back({drawNo, p, *kept, *given});
            kept = given;
        }
    }
    merge.merged.reserve(table.size());
    for (auto& entry : table)
        merge.merged.push_back(std::move(entry.second));
    return merge;
}

std::vector<DrawPrizes> prizesOfDraws(const std::vector<DrawPrizes>& prizes,
                                      const std::vector<DrawRow>& rows)
{
    std::vector<bool> present(static_cast<std::size_t>(kHighestDrawNo) + 1, false);
    for (const DrawRow& row : rows)
        if (const auto drawNo = fieldNumber(row.drawNo);
            drawNo && *drawNo >= 0 && *drawNo <= kHighestDrawNo)
            present[static_cast<std::size_t>(*drawNo)] = true;
    std::vector<DrawPrizes> kept;
    kept.reserve(prizes.size());
    for (const DrawPrizes& draw : prizes)
        if (draw.drawNo >= 0 && draw.drawNo <= kHighestDrawNo &&
            present[static_cast<std::size_t>(draw.drawNo)])
            kept.push_back(draw);
    return kept;
}

bool holdsDraws(const std::vector<DrawRow>& rows)
{
    return std::any_of(rows.begin(), rows.end(),
                       [](const DrawRow& row) { return completeDraw(row).has_value(); });
}

MergeSummary CsvImport::summary(MergeMode mode) const
{
    MergeSummary summary{static_cast<int>(plan.added.size()), static_cast<int>(plan.changed.size()),
                         plan.unchanged, static_cast<int>(file.rejected.size())};
    summary.removed = plan.duplicates + (mode == MergeMode::ReplaceAll ? plan.storedOnly : 0);
    summary.withPrizes = prizes.drawsWithPrizes;
    summary.prizesChanged = prizes.newAmounts + static_cast<int>(prizes.differing.size());
    return summary;
}

bool CsvImport::addsOrChanges() const
{
    return !plan.added.empty() || !plan.changed.empty() || prizes.changes();
}

std::vector<DrawPrizes> CsvImport::prizesAfter(MergeMode mode) const
{
    return prizesOfDraws(prizes.merged, mode == MergeMode::ReplaceAll ? file.rows : plan.merged);
}

CsvImport planCsvImport(DrawCsv file, const std::vector<DrawRow>& stored,
                        const std::vector<DrawPrizes>& storedPrizes)
{
    CsvImport import;
    import.file = std::move(file);
    import.file.rows = sortedByDrawNo(std::move(import.file.rows));
    import.plan = planMerge(stored, import.file.rows);
    import.prizes = planPrizeMerge(storedPrizes, import.file.prizes);
    return import;
}

Result<CsvImport> prepareCsvImport(std::string_view bytes, CsvEncoding encoding,
                                   const std::vector<DrawRow>& stored,
                                   const std::vector<DrawPrizes>& storedPrizes)
{
    auto read = readDrawCsv(bytes, CsvValues::StrictNumbers, encoding);
    if (!read) return Error{read.error()};
    return planCsvImport(std::move(read.value()), stored, storedPrizes);
}
