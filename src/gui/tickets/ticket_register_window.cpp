#include "gui/tickets/ticket_register_window.h"

#include "core/analyses/analysis_grid.h"
#include "core/draws/draw_database.h"
#include "gui/report/palette_color.h"
#include "core/tickets/ticket_grids.h"
#include "gui/ui/close_child_window.h"
#include "gui/report/grid_font.h"
#include "gui/ui/grid_view.h"
#include "gui/ui/message_titles.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

enum Column {
    IdColumn,
    DrawColumn,
    FirstNumberColumn,
    CountColumn = 7,
    TierColumn,
    PrizeColumn,
    SourceColumn,
    ColumnCount
};

QTableWidgetItem* item(const QString& text, Qt::Alignment align = Qt::AlignCenter)
{
    auto* cell = new QTableWidgetItem(text);
    cell->setTextAlignment(align);
    cell->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    return cell;
}

}  // namespace

TicketRegisterWindow::TicketRegisterWindow(std::string connectString, const DrawHistory& snapshot,
                                           QString ticketFile, QWidget* parent)
    : QWidget(parent), m_connectString(std::move(connectString)), m_snapshot(snapshot)
{
    setObjectName(QString::fromUtf8(kTicketRegisterWindowName));
    setWindowTitle(QString::fromUtf8(kTicketRegisterWindowName));

    auto store = TicketStore::open(ticketFile.toStdString());
    if (store)
        m_store.emplace(std::move(store.value()));
    else
        m_storeError = QString::fromStdString(store.error());

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("status"));
    m_status->setWordWrap(true);
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);

    m_table = new QTableWidget(0, ColumnCount, this);
    m_table->setObjectName(QStringLiteral("tickets"));
    m_table->setHorizontalHeaderLabels(
        {QStringLiteral("番号"), QStringLiteral("回数"), QStringLiteral("1"), QStringLiteral("2"),
         QStringLiteral("3"), QStringLiteral("4"), QStringLiteral("5"), QStringLiteral("口数"),
         QStringLiteral("等級"), QStringLiteral("当選金"), QStringLiteral("購入元")});
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setFont(gridFont());
    m_table->verticalHeader()->setDefaultSectionSize(20);
    for (int c = FirstNumberColumn; c < FirstNumberColumn + kTicketNumbers; ++c)
        m_table->setColumnWidth(c, 34);
    m_table->setColumnWidth(IdColumn, 50);
    m_table->setColumnWidth(DrawColumn, 56);
    m_table->setColumnWidth(CountColumn, 44);
    m_table->setColumnWidth(TierColumn, 56);
    m_table->setColumnWidth(PrizeColumn, 90);
    connect(m_table, &QTableWidget::itemSelectionChanged, this, &TicketRegisterWindow::rowSelected);

    m_totals = new GridView(this);
    m_totals->setObjectName(QStringLiteral("totals"));
    m_totals->setFont(gridFont());

    auto* reloadButton = new QPushButton(QStringLiteral("再チェック(&R)"), this);
    connect(reloadButton, &QPushButton::clicked, this, &TicketRegisterWindow::reload);
    auto* closeButton = new QPushButton(QStringLiteral("閉じる"), this);
    connect(closeButton, &QPushButton::clicked, this, &TicketRegisterWindow::closeWindow);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(reloadButton);
    buttons->addStretch();
    buttons->addWidget(closeButton);

    auto* right = new QVBoxLayout;
    right->addWidget(buildForm());
    right->addWidget(buildPrizeForm());
    right->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(m_table, 1);
    top->addLayout(right);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_status);
    layout->addLayout(top, 3);
    layout->addWidget(new QLabel(QStringLiteral("回ごとの集計（口数・金額は円）"), this));
    layout->addWidget(m_totals, 1);
    layout->addLayout(buttons);

    for (QPushButton* button : m_writeButtons)
        button->setEnabled(m_store.has_value());
    reload();
    // The form starts at the next draw, the prize amounts at the latest one.
    int latest = 0;
    for (const auto& draw : m_draws.draws())
        if (draw) latest = std::max(latest, draw->drawNo);
    m_drawNo->setValue(std::clamp(latest + 1, 1, kHighestDrawNo));
    m_prizeDraw->setValue(std::clamp(latest, 1, kHighestDrawNo));
}

QWidget* TicketRegisterWindow::buildForm()
{
    auto* box = new QGroupBox(QStringLiteral("購入した数字"), this);
    m_drawNo = new QSpinBox(box);
    m_drawNo->setObjectName(QStringLiteral("drawNo"));
    m_drawNo->setRange(1, kHighestDrawNo);
    m_numbers = new QLineEdit(box);
    m_numbers->setObjectName(QStringLiteral("numbers"));
    m_numbers->setPlaceholderText(QStringLiteral("例: 1,5,12,20,31"));
    m_count = new QSpinBox(box);
    m_count->setObjectName(QStringLiteral("count"));
    m_count->setRange(1, kMaxTicketCount);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("回数(&N)"), m_drawNo);
    form->addRow(QStringLiteral("数字5個(&U)"), m_numbers);
    form->addRow(QStringLiteral("口数(&K)"), m_count);
    auto* add = new QPushButton(QStringLiteral("追加(&A)"), box);
    auto* edit = new QPushButton(QStringLiteral("変更(&E)"), box);
    auto* remove = new QPushButton(QStringLiteral("削除(&D)"), box);
    add->setObjectName(QStringLiteral("add"));
    edit->setObjectName(QStringLiteral("edit"));
    remove->setObjectName(QStringLiteral("remove"));
    connect(add, &QPushButton::clicked, this, &TicketRegisterWindow::addClicked);
    connect(edit, &QPushButton::clicked, this, &TicketRegisterWindow::editClicked);
    connect(remove, &QPushButton::clicked, this, &TicketRegisterWindow::deleteClicked);
    connect(m_numbers, &QLineEdit::returnPressed, this, &TicketRegisterWindow::addClicked);
    m_writeButtons << add << edit << remove;
    auto* row = new QHBoxLayout;
    row->addWidget(add);
    row->addWidget(edit);
    row->addWidget(remove);
    auto* layout = new QVBoxLayout(box);
    layout->addLayout(form);
    layout->addLayout(row);
    return box;
}

QWidget* TicketRegisterWindow::buildPrizeForm()
{
    auto* box = new QGroupBox(QStringLiteral("当選金額（1口あたり・円）"), this);
    m_prizeDraw = new QSpinBox(box);
    m_prizeDraw->setObjectName(QStringLiteral("prizeDraw"));
    m_prizeDraw->setRange(1, kHighestDrawNo);
    connect(m_prizeDraw, &QSpinBox::valueChanged, this, &TicketRegisterWindow::loadPrizeAmounts);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("回数"), m_prizeDraw);
    for (int t = 0; t < kPrizeTierCount; ++t) {
        auto* edit = new QLineEdit(box);
        edit->setObjectName(QStringLiteral("prize%1").arg(t + 1));
        edit->setPlaceholderText(QStringLiteral("未入力"));
        edit->setAlignment(Qt::AlignRight);
        form->addRow(QString::fromUtf8(tierName(kPrizeTiers[static_cast<std::size_t>(t)])), edit);
        m_prizeEdits[static_cast<std::size_t>(t)] = edit;
    }
    auto* save = new QPushButton(QStringLiteral("金額を保存(&S)"), box);
    connect(save, &QPushButton::clicked, this, &TicketRegisterWindow::savePrizesClicked);
    m_writeButtons << save;
    auto* layout = new QVBoxLayout(box);
    layout->addLayout(form);
    layout->addWidget(save);
    return box;
}

void TicketRegisterWindow::reload()
{
    m_draws = m_snapshot;
    QString drawNote;
    if (!m_connectString.empty()) {
        auto history = loadDrawHistory(m_connectString);
        if (history)
            m_draws = std::move(history.value());
        else
            drawNote = QStringLiteral("（当選データを読み直せないため起動時のデータで照合: %1）")
                           .arg(QString::fromStdString(history.error()));
    }
    std::vector<StoredTicket> tickets;
    QString problem = m_storeError;
    if (m_store) {
        auto stored = m_store->tickets();
        auto amounts = m_store->prizeAmounts();
        if (stored && amounts) {
            tickets = std::move(stored.value());
            m_amounts = std::move(amounts.value());
        } else {
            problem = QString::fromStdString(stored ? amounts.error() : stored.error());
        }
    }
    m_report = checkTickets(tickets, DrawLookup(m_draws), m_amounts);
    fillTable();
    m_totals->setGrid(ticketTotalsGrid(m_report));

    const TicketTotals& total = m_report.total;
    QString status = problem.isEmpty()
                         ? QStringLiteral("%1 口　購入額 %2 円　当選金 %3 円　回収率 %4")
                               .arg(total.tickets)
                               .arg(QString::fromStdString(yenText(total.cost)),
                                    QString::fromStdString(yenText(total.winnings)),
                                    QString::fromStdString(returnRateText(total)))
                         : problem;
    if (total.unpriced)
        status += QStringLiteral("　当選金額が未入力の当選 %1 口").arg(total.unpriced);
    if (total.unchecked) status += QStringLiteral("　未抽選 %1 口").arg(total.unchecked);
    m_status->setText(status + drawNote);
    loadPrizeAmounts();
}

void TicketRegisterWindow::fillTable()
{
    m_table->setRowCount(static_cast<int>(m_report.tickets.size()));
    const DrawLookup draws(m_draws);
    int row = 0;
    for (const CheckedTicket& line : m_report.tickets) {
        const StoredTicket& t = line.ticket;
        auto* id = item(QString::number(t.id));
        id->setData(Qt::UserRole, t.id);
        m_table->setItem(row, IdColumn, id);
        auto* draw = item(QString::number(t.drawNo));
        draw->setForeground(toQColor(kDrawNoText));
        draw->setBackground(toQColor(kDrawNoBack));
        m_table->setItem(row, DrawColumn, draw);
        for (int k = 0; k < kTicketNumbers; ++k) {
            const int n = t.numbers[static_cast<std::size_t>(k)];
            auto* number = item(QString::number(n));
            if (line.check) {
                const auto& matched = line.check->matched;
                if (std::find(matched.begin(), matched.end(), n) != matched.end()) {
                    number->setBackground(toQColor(kMatchedMainBack));
                    number->setForeground(toQColor(kDrawNoText));
                    QFont bold = m_table->font();
                    bold.setBold(true);
                    number->setFont(bold);
                } else if (const Draw* d = draws.find(t.drawNo);
                           d && d->numbers[kBonusIndex] == n) {
                    number->setBackground(toQColor(kMatchedBonusBack));
                }
            }
            m_table->setItem(row, FirstNumberColumn + k, number);
        }
        m_table->setItem(row, CountColumn, item(QString::number(t.count)));
        QTableWidgetItem* tier = nullptr;
        if (!line.check) {
            tier = item(QStringLiteral("未抽選"));
            tier->setForeground(Qt::gray);
        } else if (line.check->tier == PrizeTier::None) {
            tier = item(QStringLiteral("－"));
        } else {
            tier = item(QString::fromUtf8(tierName(line.check->tier)));
            tier->setBackground(
                toQColor(kPrizeTierBacks[static_cast<std::size_t>(tierIndex(line.check->tier))]));
            tier->setForeground(toQColor(kHeadingText));
        }
        m_table->setItem(row, TierColumn, tier);
        QString prize;
        if (line.prize)
            prize = QString::fromStdString(yenText(*line.prize));
        else if (line.check && line.check->tier != PrizeTier::None)
            prize = QStringLiteral("金額未入力");
        m_table->setItem(row, PrizeColumn, item(prize, Qt::AlignRight | Qt::AlignVCenter));
        m_table->setItem(row, SourceColumn,
                         item(QString::fromStdString(t.source), Qt::AlignLeft | Qt::AlignVCenter));
        ++row;
    }
}

std::optional<long long> TicketRegisterWindow::selectedId() const
{
    const auto rows = m_table->selectionModel()->selectedRows();
    if (rows.isEmpty()) return std::nullopt;
    const QTableWidgetItem* id = m_table->item(rows.first().row(), IdColumn);
    if (!id) return std::nullopt;
    return id->data(Qt::UserRole).toLongLong();
}

void TicketRegisterWindow::rowSelected()
{
    const auto id = selectedId();
    if (!id) return;
    for (const CheckedTicket& line : m_report.tickets)
        if (line.ticket.id == *id) {
            m_drawNo->setValue(line.ticket.drawNo);
            m_numbers->setText(QString::fromStdString(numbersText(line.ticket.numbers, ",")));
            m_count->setValue(line.ticket.count);
            m_prizeDraw->setValue(line.ticket.drawNo);
            return;
        }
}

void TicketRegisterWindow::loadPrizeAmounts()
{
    const auto found = m_amounts.find(m_prizeDraw->value());
    for (int t = 0; t < kPrizeTierCount; ++t) {
        std::optional<long long> yen;
        if (found != m_amounts.end()) yen = found->second[static_cast<std::size_t>(t)];
        m_prizeEdits[static_cast<std::size_t>(t)]->setText(yen ? QString::number(*yen) : QString());
    }
}

namespace {
Result<StoredTicket> ticketFromForm(int drawNo, const QString& numbers, int count)
{
    auto list = parseNumberList(numbers.toStdString());
    if (!list) return Error{list.error()};
    auto sorted = ticketNumbers(*list);
    if (!sorted) return Error{sorted.error()};
    StoredTicket ticket;
    ticket.drawNo = drawNo;
    ticket.numbers = *sorted;
    ticket.count = count;
    ticket.source = "手入力";
    if (auto valid = validTicket(ticket); !valid) return Error{valid.error()};
    return ticket;
}
}  // namespace

bool TicketRegisterWindow::addTicket(int drawNo, const QString& numbers, int count, QString* error)
{
    auto ticket = ticketFromForm(drawNo, numbers, count);
    Status done = Error{m_storeError.toStdString()};
    if (!ticket) {
        done = Error{ticket.error()};
    } else if (m_store) {
        auto added = m_store->add({*ticket});
        done = added ? success() : Status(Error{added.error()});
    }
    if (!done && error) *error = QString::fromStdString(done.error());
    if (done) reload();
    return done.ok();
}

bool TicketRegisterWindow::updateTicket(long long id, int drawNo, const QString& numbers, int count,
                                        QString* error)
{
    auto ticket = ticketFromForm(drawNo, numbers, count);
    Status done = Error{m_storeError.toStdString()};
    if (m_store && ticket) {
        ticket->id = id;
        // Editing keeps where the ticket came from.
        for (const CheckedTicket& line : m_report.tickets)
            if (line.ticket.id == id) ticket->source = line.ticket.source;
        done = m_store->update(*ticket);
    } else if (!ticket) {
        done = Error{ticket.error()};
    }
    if (!done && error) *error = QString::fromStdString(done.error());
    if (done) reload();
    return done.ok();
}

bool TicketRegisterWindow::removeTicket(long long id, QString* error)
{
    Status done = m_store ? m_store->remove(id) : Status(Error{m_storeError.toStdString()});
    if (!done && error) *error = QString::fromStdString(done.error());
    if (done) reload();
    return done.ok();
}

bool TicketRegisterWindow::setPrizeAmount(int drawNo, PrizeTier tier, const QString& yen,
                                          QString* error)
{
    std::optional<long long> amount;
    const QString text = yen.trimmed().remove(u',');
    if (!text.isEmpty()) {
        bool ok = false;
        amount = text.toLongLong(&ok);
        if (!ok || *amount < 0) {
            if (error)
                *error = QStringLiteral("%1の当選金額「%2」は0以上の整数で入力してください")
                             .arg(QString::fromUtf8(tierName(tier)), yen);
            return false;
        }
    }
    Status done = m_store ? m_store->setPrizeAmount(drawNo, tier, amount)
                          : Status(Error{m_storeError.toStdString()});
    if (!done && error) *error = QString::fromStdString(done.error());
    return done.ok();
}

void TicketRegisterWindow::addClicked()
{
    QString error;
    if (!addTicket(m_drawNo->value(), m_numbers->text(), m_count->value(), &error))
        showError(error);
    else
        m_numbers->clear();
}

void TicketRegisterWindow::editClicked()
{
    const auto id = selectedId();
    if (!id) {
        showError(QStringLiteral("変更する行を選んでください。"));
        return;
    }
    QString error;
    if (!updateTicket(*id, m_drawNo->value(), m_numbers->text(), m_count->value(), &error))
        showError(error);
}

void TicketRegisterWindow::deleteClicked()
{
    const auto id = selectedId();
    if (!id) {
        showError(QStringLiteral("削除する行を選んでください。"));
        return;
    }
    if (QMessageBox::warning(this, QString::fromUtf8(kTicketRegisterWindowName),
                             QStringLiteral("番号 %1 の購入記録を削除しますか？").arg(*id),
                             QMessageBox::Yes | QMessageBox::No,
                             QMessageBox::No) != QMessageBox::Yes)
        return;
    QString error;
    if (!removeTicket(*id, &error)) showError(error);
}

void TicketRegisterWindow::savePrizesClicked()
{
    // Checks every amount first, so a typing mistake stores none of them.
    for (int t = 0; t < kPrizeTierCount; ++t) {
        const QString text =
            m_prizeEdits[static_cast<std::size_t>(t)]->text().trimmed().remove(u',');
        bool ok = true;
        if (!text.isEmpty() && (text.toLongLong(&ok) < 0 || !ok)) {
            showError(
                QStringLiteral("%1の当選金額は0以上の整数で入力してください。")
                    .arg(QString::fromUtf8(tierName(kPrizeTiers[static_cast<std::size_t>(t)]))));
            return;
        }
    }
    for (int t = 0; t < kPrizeTierCount; ++t) {
        QString error;
        if (!setPrizeAmount(m_prizeDraw->value(), kPrizeTiers[static_cast<std::size_t>(t)],
                            m_prizeEdits[static_cast<std::size_t>(t)]->text(), &error)) {
            showError(error);
            break;
        }
    }
    reload();
}

void TicketRegisterWindow::showError(const QString& text)
{
    QMessageBox::critical(this, kMessageTitle, text, QMessageBox::Ok);
}

void TicketRegisterWindow::closeWindow()
{
    closeChildWindow(*this);
}
