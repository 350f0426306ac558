// TicketRegisterWindow: 購入記録. Lists the registered tickets by draw with add, edit and delete,
// checks each against its draw as soon as the draw is in the database (matched numbers
// highlighted, tier shown), and totals tickets, cost, prizes, winnings and return rate.
#pragma once

#include <QWidget>

#include <array>
#include <optional>
#include <string>

#include "core/draws/draw_history.h"
#include "core/tickets/ticket_check.h"
#include "core/tickets/ticket_store.h"

class GridView;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTableWidget;

inline constexpr const char* kTicketRegisterWindowName = "購入記録";

class TicketRegisterWindow : public QWidget {
    Q_OBJECT

public:
    // The draws are read afresh from the draw database (connectString) so that a draw typed in
    // since start-up is checked; the snapshot stands in when the database cannot be read.
    TicketRegisterWindow(std::string connectString, const DrawHistory& snapshot, QString ticketFile,
                         QWidget* parent = nullptr);

    QTableWidget* table() const { return m_table; }
    GridView* totalsView() const { return m_totals; }
    const TicketReport& report() const { return m_report; }
    // The store's message when the ticket file could not be opened.
    QString storeError() const { return m_storeError; }

    // The form's actions without message boxes: false with the reason in *error.
    bool addTicket(int drawNo, const QString& numbers, int count, QString* error);
    bool updateTicket(long long id, int drawNo, const QString& numbers, int count, QString* error);
    bool removeTicket(long long id, QString* error);
    bool setPrizeAmount(int drawNo, PrizeTier tier, const QString& yen, QString* error);

public slots:
    // Re-reads the tickets, the prize amounts and the draws, and checks again.
    void reload();

private:
    QWidget* buildForm();
    QWidget* buildPrizeForm();
    void fillTable();
    void rowSelected();
    void loadPrizeAmounts();
    void addClicked();
    void editClicked();
    void deleteClicked();
    void savePrizesClicked();
    std::optional<long long> selectedId() const;
    void showError(const QString& text);
    void closeWindow();

    std::string m_connectString;
    DrawHistory m_snapshot;
    DrawHistory m_draws;
    std::optional<TicketStore> m_store;
    QString m_storeError;
    std::map<int, PrizeAmounts> m_amounts;
    TicketReport m_report;

    QLabel* m_status = nullptr;
    QTableWidget* m_table = nullptr;
    GridView* m_totals = nullptr;
    QSpinBox* m_drawNo = nullptr;
    QLineEdit* m_numbers = nullptr;
    QSpinBox* m_count = nullptr;
    QSpinBox* m_prizeDraw = nullptr;
    std::array<QLineEdit*, kPrizeTierCount> m_prizeEdits{};
    QList<QPushButton*> m_writeButtons;
};
