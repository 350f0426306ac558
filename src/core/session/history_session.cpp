#include "core/session/history_session.h"

#include <algorithm>

#include "core/draws/connection_string.h"
#include "core/draws/draw_database.h"

void HistorySession::connectToFolder(const std::string& programFolder)
{
    m_connectString = buildDbConnectString(programFolder);
}

std::string HistorySession::databaseFile() const
{
    const auto pieces = parseConnectString(m_connectString);
    return pieces ? pieces->dataSource : std::string();
}

Status HistorySession::load()
{
    Result<DrawHistory> history = loadDrawHistory(m_connectString);
    if (!history) return Error{history.error()};
    m_history = std::move(history.value());
    m_tables = LoadDrawTables(m_history);
    return success();
}

bool HistorySession::matchesDatabase() const
{
    auto database = DrawDatabase::open(m_connectString);
    if (!database) return false;
    auto stored = database->readAllDraws();
    if (!stored) return false;
    const auto sameRow = [](const DrawRow& a, const DrawRow& b) {
        return a.drawNo == b.drawNo && a.date == b.date && a.numbers == b.numbers;
    };
    return std::equal(stored->begin(), stored->end(), m_history.rows().begin(),
                      m_history.rows().end(), sameRow);
}

void HistorySession::release()
{
    m_history = DrawHistory();
    m_tables = LoadDrawTables(m_history);
}
