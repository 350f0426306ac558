#include "core/draws/draw_merge.h"

#include <algorithm>
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
    std::stable_sort(plan.changed.begin(), plan.changed.end(),
                     [](const ChangedDraw& a, const ChangedDraw& b) {
                         return fieldNumber(a.incoming.drawNo) < fieldNumber(b.incoming.drawNo);
                     });
    return plan;
}

std::string summaryLine(const MergeSummary& summary)
{
    // "removed" only when something is: scripts read the four counts of the usual line.
    std::string line = std::to_string(summary.added) + " added, " +
                       std::to_string(summary.replaced) + " replaced, " +
                       std::to_string(summary.unchanged) + " unchanged, ";
    if (summary.removed > 0) line += std::to_string(summary.removed) + " removed, ";
    return line + std::to_string(summary.rejected) + " rejected";
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
    return summary;
}

CsvImport planCsvImport(DrawCsv file, const std::vector<DrawRow>& stored)
{
    CsvImport import;
    import.file = std::move(file);
    import.file.rows = sortedByDrawNo(std::move(import.file.rows));
    import.plan = planMerge(stored, import.file.rows);
    return import;
}

Result<CsvImport> prepareCsvImport(std::string_view bytes, CsvEncoding encoding,
                                   const std::vector<DrawRow>& stored)
{
    auto read = readDrawCsv(bytes, CsvValues::StrictNumbers, encoding);
    if (!read) return Error{read.error()};
    return planCsvImport(std::move(read.value()), stored);
}
