// TicketRegisterWindow: 購入記録. Lists the registered tickets by draw with add, edit and delete,
// checks each against its draw as soon as the draw is in the database (matched numbers
// highlighted, tier shown), and totals tickets, cost, prizes, winnings and return rate. A view
// over the core TicketRegister; prizes come from the amounts imported with the draws, and an
// amount the player typed wins over the imported one.
#pragma once

#include <QWidget>

#include <array>
#include <optional>
#include <string>

#include "core/draws/draw_history.h"
#include "core/tickets/ticket_register.h"

class GridView;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTableView;
class TicketRegisterModel;

inline constexpr const char* kTicketRegisterWindowName = "購入記録";

class TicketRegisterWindow : public QWidget {
    Q_OBJECT

public:
    // The draws are read afresh from the draw database (connectString) so that a draw typed in
    // since start-up is checked; the snapshot stands in when the database cannot be read.
    TicketRegisterWindow(std::string connectString, const DrawHistory& snapshot, QString ticketFile,
                         QWidget* parent = nullptr);

    QTableView* table() const { return m_table; }
    TicketRegisterModel* model() const { return m_model; }
    GridView* totalsView() const { return m_totals; }
    const TicketReport& report() const { return m_register.report(); }
    // The store's message when the ticket file could not be opened.
    QString storeError() const { return QString::fromStdString(m_register.storeError()); }
    // The line under the prize amounts: where the amounts of the chosen draw come from.
    QLabel* prizeNote() const { return m_prizeNote; }

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
    void refreshViews();
    void rowSelected();
    void loadPrizeAmounts();
    void addClicked();
    void editClicked();
    void deleteClicked();
    void savePrizesClicked();
    std::optional<long long> selectedId() const;
    void showError(const QString& text);
    void closeWindow();

    TicketRegister m_register;
    TicketRegisterModel* m_model = nullptr;

    QLabel* m_status = nullptr;
    QLabel* m_prizeNote = nullptr;
    QTableView* m_table = nullptr;
    GridView* m_totals = nullptr;
    QSpinBox* m_drawNo = nullptr;
    QLineEdit* m_numbers = nullptr;
    QSpinBox* m_count = nullptr;
    QSpinBox* m_prizeDraw = nullptr;
    std::array<QLineEdit*, kPrizeTierCount> m_prizeEdits{};
    QList<QPushButton*> m_writeButtons;
};
