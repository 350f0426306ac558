#include "gui/maintenance/entry_table_model.h"

#include <QBrush>

#include "core/base/raw_value.h"
#include "gui/report/palette_color.h"

namespace {

RawValue typedValue(const QString& text)
{
    const std::string trimmed = text.trimmed().toStdString();
    if (trimmed.empty()) return std::monostate{};
    if (const auto number = parseWholeNumber(trimmed)) return *number;
    // Kept as text so that the check on closing can point at it.
    return trimmed;
}

}  // namespace

EntryTableModel::EntryTableModel(DrawEditor editor, QObject* parent)
    : QAbstractTableModel(parent), m_editor(std::move(editor))
{
}

const DrawRow& EntryTableModel::shownValues(int row) const
{
    if (const auto pending = m_pending.find(row); pending != m_pending.end())
        return pending->second;
    return m_editor.rows()[static_cast<std::size_t>(row)].values;
}

void EntryTableModel::shiftPendingRows(int from, int by)
{
    std::map<int, DrawRow> shifted;
    for (auto& [row, values] : m_pending)
        shifted.emplace(row >= from ? row + by : row, std::move(values));
    m_pending = std::move(shifted);
}

const RawValue& EntryTableModel::field(const DrawRow& row, int column)
{
    if (column == kDrawNoGridColumn) return row.drawNo;
    if (column == kDateGridColumn) return row.date;
    return row.numbers[static_cast<std::size_t>(column - 1)];
}

RawValue& EntryTableModel::field(DrawRow& row, int column)
{
    if (column == kDrawNoGridColumn) return row.drawNo;
    if (column == kDateGridColumn) return row.date;
    return row.numbers[static_cast<std::size_t>(column - 1)];
}

int EntryTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_editor.size());
}

int EntryTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kColumnCount;
}

QString EntryTableModel::cellText(int row, int column) const
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= kColumnCount) return {};
    return QString::fromStdString(rawText(field(shownValues(row), column)));
}

QVariant EntryTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= kColumnCount) return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return cellText(index.row(), index.column());
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    case Qt::BackgroundRole:
        if (index.column() == kDrawNoGridColumn) return QBrush(toQColor(kDrawNoBack));
        if (index.column() == kBonusGridColumn) return QBrush(toQColor(kEntryBonusBack));
        return {};
    case Qt::ForegroundRole:
        if (index.column() == kDrawNoGridColumn) return QBrush(toQColor(kDrawNoText));
        if (index.column() == kBonusGridColumn) return QBrush(toQColor(kEntryBonusText));
        return {};
    default:
        return {};
    }
}

QVariant EntryTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= kColumnCount) return {};
    if (role == Qt::DisplayRole)
        return QString::fromUtf8(section == kDrawNoGridColumn ? kDrawNoColumn
                                 : section == kDateGridColumn
                                     ? kDateColumn
                                     : kNumberColumns[static_cast<std::size_t>(section - 1)]);
    return {};
}

Qt::ItemFlags EntryTableModel::flags(const QModelIndex& index) const
{
    if (!index.isValid()) return Qt::NoItemFlags;
    // 回数 is not typed here: inserted rows are numbered when they are made.
    if (index.column() == kDrawNoGridColumn) return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

bool EntryTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || index.row() >= rowCount() ||
        !(flags(index) & Qt::ItemIsEditable))
        return false;
    // A date stays text as typed ("2026-12-09"); numbers are stored as numbers.
    RawValue typed = index.column() == kDateGridColumn
                         ? (value.toString().trimmed().isEmpty()
                                ? RawValue{}
                                : RawValue{value.toString().trimmed().toStdString()})
                         : typedValue(value.toString());
    if (field(shownValues(index.row()), index.column()) == typed) return true;
    auto pending = m_pending.try_emplace(index.row(), shownValues(index.row())).first;
    field(pending->second, index.column()) = std::move(typed);
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

bool EntryTableModel::isPending(int row) const
{
    return m_pending.count(row) > 0;
}

Status EntryTableModel::writeRow(int row)
{
    const auto pending = m_pending.find(row);
    if (pending == m_pending.end()) return success();
    if (auto written = m_editor.updateRow(static_cast<std::size_t>(row), pending->second); !written)
        return written;
    m_pending.erase(pending);
    return success();
}

Status EntryTableModel::writeRowIfValid(int row)
{
    if (!isPending(row) || row < 0 || row >= rowCount()) return success();
    if (firstWrongCell({rowTexts(row)})) return success();
    return writeRow(row);
}

std::vector<std::string> EntryTableModel::writePendingRows()
{
    if (m_pending.empty()) return {};
    std::vector<std::pair<std::size_t, DrawRow>> rows;
    for (const auto& [row, values] : m_pending)
        rows.emplace_back(static_cast<std::size_t>(row), values);
    if (auto written = m_editor.updateRows(rows); !written) return {written.error()};
    m_pending.clear();
    return {};
}

void EntryTableModel::discardPending()
{
    if (m_pending.empty()) return;
    m_pending.clear();
    emit dataChanged(index(0, 0), index(rowCount() - 1, kColumnCount - 1));
}

EntryRowTexts EntryTableModel::rowTexts(int row) const
{
    EntryRowTexts texts;
    for (int c = 0; c < kColumnCount; ++c)
        texts[static_cast<std::size_t>(c)] = rawText(field(shownValues(row), c));
    return texts;
}

Result<int> EntryTableModel::insertRowAfter(std::optional<int> after)
{
    std::optional<std::size_t> editorAfter;
    if (after) {
        if (*after < 0 || *after >= rowCount()) return Error{"行がありません。"};
        editorAfter = static_cast<std::size_t>(*after);
    }
    // The previous draw's date plus a week: what a new draw's date almost always is.
    RawValue date;
    if (after)
        if (auto proposed = dateAfter(rawText(shownValues(*after).date), kDaysBetweenDraws))
            date = std::move(*proposed);
    // The database first: the grid only shows a row that exists there.
    auto inserted = m_editor.insertRowAfter(editorAfter, date);
    if (!inserted) return Error{inserted.error()};
    const int row = static_cast<int>(*inserted);
    m_changingRows = true;
    beginInsertRows(QModelIndex(), row, row);
    shiftPendingRows(row, +1);
    endInsertRows();
    m_changingRows = false;
    return row;
}

Status EntryTableModel::deleteRow(int row)
{
    if (row < 0 || row >= rowCount()) return Error{"行がありません。"};
    if (auto removed = m_editor.deleteRow(static_cast<std::size_t>(row)); !removed) return removed;
    m_changingRows = true;
    beginRemoveRows(QModelIndex(), row, row);
    m_pending.erase(row);
    shiftPendingRows(row + 1, -1);
    endRemoveRows();
    m_changingRows = false;
    return success();
}

std::vector<EntryRowTexts> EntryTableModel::texts() const
{
    std::vector<EntryRowTexts> rows;
    rows.reserve(m_editor.size());
    for (int row = 0; row < rowCount(); ++row)
        rows.push_back(rowTexts(row));
    return rows;
}
