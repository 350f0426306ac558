#include "gui/tickets/ticket_register_model.h"

#include <QFont>

#include <algorithm>

#include "core/grid/palette.h"
#include "gui/report/palette_color.h"

TicketRegisterModel::TicketRegisterModel(const TicketRegister& tickets, QObject* parent)
    : QAbstractTableModel(parent), m_tickets(tickets)
{
}

void TicketRegisterModel::refresh()
{
    beginResetModel();
    endResetModel();
}

int TicketRegisterModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_tickets.report().tickets.size());
}

int TicketRegisterModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant TicketRegisterModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    switch (section) {
    case IdColumn:
        return QStringLiteral("番号");
    case DrawColumn:
        return QStringLiteral("回数");
    case CountColumn:
        return QStringLiteral("口数");
    case TierColumn:
        return QStringLiteral("等級");
    case PrizeColumn:
        return QStringLiteral("当選金");
    case SourceColumn:
        return QStringLiteral("購入元");
    default:
        if (section >= FirstNumberColumn && section < CountColumn)
            return QString::number(section - FirstNumberColumn + 1);
        return {};
    }
}

QVariant TicketRegisterModel::numberData(const CheckedTicket& line, int k, int role) const
{
    const int n = line.ticket.numbers[static_cast<std::size_t>(k)];
    if (role == Qt::DisplayRole) return QString::number(n);
    if (!line.check) return {};
    const auto& matched = line.check->matched;
    const bool main = std::find(matched.begin(), matched.end(), n) != matched.end();
    const Draw* draw = main ? nullptr : m_tickets.draws().find(line.ticket.drawNo);
    const bool bonus = draw && draw->numbers[kBonusIndex] == n;
    switch (role) {
    case Qt::BackgroundRole:
        if (main) return toQColor(kMatchedMainBack);
        if (bonus) return toQColor(kMatchedBonusBack);
        return {};
    case Qt::ForegroundRole:
        return main ? QVariant(toQColor(kDrawNoText)) : QVariant();
    case Qt::FontRole:
        if (main) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return {};
    default:
        return {};
    }
}

QVariant TicketRegisterModel::data(const QModelIndex& index, int role) const
{
    const auto& tickets = m_tickets.report().tickets;
    if (!index.isValid() || index.row() < 0 || index.row() >= static_cast<int>(tickets.size()))
        return {};
    const CheckedTicket& line = tickets[static_cast<std::size_t>(index.row())];
    const int column = index.column();
    if (role == IdRole) return line.ticket.id;
    if (role == Qt::TextAlignmentRole) {
        if (column == PrizeColumn) return int(Qt::AlignRight | Qt::AlignVCenter);
        if (column == SourceColumn) return int(Qt::AlignLeft | Qt::AlignVCenter);
        return int(Qt::AlignCenter);
    }
    if (column >= FirstNumberColumn && column < CountColumn)
        return numberData(line, column - FirstNumberColumn, role);
    const int tier = line.check ? tierIndex(line.check->tier) : -1;
    switch (role) {
    case Qt::DisplayRole:
        switch (column) {
        case IdColumn:
            return QString::number(line.ticket.id);
        case DrawColumn:
            return QString::number(line.ticket.drawNo);
        case CountColumn:
            return QString::number(line.ticket.count);
        case TierColumn:
            return QString::fromStdString(tierText(line));
        case PrizeColumn:
            return QString::fromStdString(prizeText(line));
        case SourceColumn:
            return QString::fromStdString(line.ticket.source);
        default:
            return {};
        }
    case Qt::ForegroundRole:
        if (column == DrawColumn) return toQColor(kDrawNoText);
        if (column == TierColumn && !line.check) return toQColor(kNotDrawnText);
        if (column == TierColumn && tier >= 0) return toQColor(kHeadingText);
        if (column == PrizeColumn && line.prizeSource == PrizeSource::Typed)
            return toQColor(kTypedPrizeText);
        return {};
    case Qt::BackgroundRole:
        if (column == DrawColumn) return toQColor(kDrawNoBack);
        if (column == TierColumn && tier >= 0)
            return toQColor(kPrizeTierBacks[static_cast<std::size_t>(tier)]);
        return {};
    case Qt::ToolTipRole:
        if (column != PrizeColumn) return {};
        if (line.prizeSource == PrizeSource::Typed)
            return QStringLiteral("入力した当選金額（取り込んだ金額より優先します）");
        if (line.prizeSource == PrizeSource::Imported)
            return QStringLiteral("当選データと一緒に取り込んだ当選金額");
        return {};
    default:
        return {};
    }
}
