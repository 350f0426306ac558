// DrawHistory: the read-only snapshot of every draw row, in ascending draw number, taken once at
// start-up. Readers walk it from the first row to the last.
#pragma once

#include <optional>
#include <vector>

#include "core/draws/draw_row.h"

class DrawHistory {
public:
    DrawHistory() = default;
    explicit DrawHistory(std::vector<DrawRow> rows);

    const std::vector<DrawRow>& rows() const { return m_rows; }
    // Row i as a complete draw, or nothing for a row that is not one; parsed once here so that
    // every reader applies the same test without re-reading text fields.
    const std::vector<std::optional<Draw>>& draws() const { return m_draws; }
    std::size_t size() const { return m_rows.size(); }
    bool empty() const { return m_rows.empty(); }

private:
    std::vector<DrawRow> m_rows;
    std::vector<std::optional<Draw>> m_draws;
};
