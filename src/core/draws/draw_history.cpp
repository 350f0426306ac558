#include "core/draws/draw_history.h"

DrawHistory::DrawHistory(std::vector<DrawRow> rows) : m_rows(std::move(rows))
{
    m_draws.reserve(m_rows.size());
    for (const DrawRow& row : m_rows)
        m_draws.push_back(completeDraw(row));
}
