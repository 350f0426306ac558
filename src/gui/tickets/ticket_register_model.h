// TicketRegisterModel: the ticket list of 購入記録 as a Qt table model over the core register:
// number, draw, the five numbers (matched ones marked), count, tier, prize and where it came from.
#pragma once

#include <QAbstractTableModel>

#include "core/tickets/ticket_register.h"

class TicketRegisterModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column {
        IdColumn,
        DrawColumn,
        FirstNumberColumn,
        CountColumn = FirstNumberColumn + kTicketNumbers,
        TierColumn,
        PrizeColumn,
        SourceColumn,
        ColumnCount
    };
    // The ticket's id, in every column.
    static constexpr int IdRole = Qt::UserRole;

    explicit TicketRegisterModel(const TicketRegister& tickets, QObject* parent = nullptr);

    // After the register reloaded.
    void refresh();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QVariant numberData(const CheckedTicket& line, int k, int role) const;

    const TicketRegister& m_tickets;
};
