#include "gui/tickets/ticket_register_window.h"

#include "core/tickets/ticket_grids.h"
#include "gui/report/grid_font.h"
#include "gui/tickets/ticket_register_model.h"
#include "gui/ui/close_child_window.h"
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
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

TicketRegisterWindow::TicketRegisterWindow(std::string connectString, const DrawHistory& snapshot,
                                           QString ticketFile, QWidget* parent)
    : QWidget(parent), m_register(std::move(connectString), snapshot, ticketFile.toStdString())
{
    setObjectName(QString::fromUtf8(kTicketRegisterWindowName));
    setWindowTitle(QString::fromUtf8(kTicketRegisterWindowName));

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("status"));
    m_status->setWordWrap(true);
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);

    m_model = new TicketRegisterModel(m_register, this);
    m_table = new QTableView(this);
    m_table->setObjectName(QStringLiteral("tickets"));
    m_table->setModel(m_model);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setFont(gridFont());
    m_table->verticalHeader()->setDefaultSectionSize(20);
    for (int c = TicketRegisterModel::FirstNumberColumn; c < TicketRegisterModel::CountColumn; ++c)
        m_table->setColumnWidth(c, 34);
    m_table->setColumnWidth(TicketRegisterModel::IdColumn, 50);
    m_table->setColumnWidth(TicketRegisterModel::DrawColumn, 56);
    m_table->setColumnWidth(TicketRegisterModel::CountColumn, 44);
    m_table->setColumnWidth(TicketRegisterModel::TierColumn, 56);
    m_table->setColumnWidth(TicketRegisterModel::PrizeColumn, 90);
    connect(m_table->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TicketRegisterWindow::rowSelected);

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
        button->setEnabled(m_register.writable());
    refreshViews();
    // The form starts at the next draw, the prize amounts at the latest one.
    const int latest = m_register.latestDrawNo();
    m_drawNo->setValue(std::clamp(latest + 1, 1, kHighestDrawNo));
    m_prizeDraw->setValue(std::clamp(latest, 1, kHighestDrawNo));
    loadPrizeAmounts();
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
    m_prizeNote = new QLabel(box);
    m_prizeNote->setObjectName(QStringLiteral("prizeNote"));
    m_prizeNote->setWordWrap(true);
    auto* layout = new QVBoxLayout(box);
    layout->addLayout(form);
    layout->addWidget(m_prizeNote);
    layout->addWidget(save);
    return box;
}

void TicketRegisterWindow::reload()
{
    m_register.reload();
    refreshViews();
}

void TicketRegisterWindow::refreshViews()
{
    m_model->refresh();
    m_totals->setGrid(ticketTotalsGrid(m_register.report()));
    m_status->setText(QString::fromStdString(m_register.statusText()));
    loadPrizeAmounts();
}

std::optional<long long> TicketRegisterWindow::selectedId() const
{
    const auto rows = m_table->selectionModel()->selectedRows();
    if (rows.isEmpty()) return std::nullopt;
    return rows.first().data(TicketRegisterModel::IdRole).toLongLong();
}

void TicketRegisterWindow::rowSelected()
{
    const auto id = selectedId();
    if (!id) return;
    for (const CheckedTicket& line : m_register.report().tickets)
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
    if (!m_prizeDraw) return;
    const int drawNo = m_prizeDraw->value();
    bool typedOverImported = false;
    for (int t = 0; t < kPrizeTierCount; ++t) {
        QLineEdit* edit = m_prizeEdits[static_cast<std::size_t>(t)];
        const auto typed = m_register.typedAmount(drawNo, t);
        const auto imported = m_register.importedAmount(drawNo, t);
        edit->setText(typed ? QString::number(*typed) : QString());
        // The imported amount shows through an empty field: it counts until the player types one.
        edit->setPlaceholderText(
            imported ? QStringLiteral("取込 %1").arg(QString::fromStdString(yenText(*imported)))
                     : QStringLiteral("未入力"));
        if (typed && imported && *typed != *imported) typedOverImported = true;
    }
    QString note;
    if (m_register.hasImportedPrizes(drawNo))
        note = QStringLiteral("空欄は取り込んだ当選金額で数えます。入力した金額は取り込んだ金額より"
                              "優先します。");
    else
        note = QStringLiteral("この回の当選金額は取り込まれていません。");
    if (typedOverImported)
        note += QStringLiteral("（この回は入力した金額が取り込んだ金額と違います）");
    m_prizeNote->setText(note);
}

bool TicketRegisterWindow::addTicket(int drawNo, const QString& numbers, int count, QString* error)
{
    const Status done = m_register.add(drawNo, numbers.toStdString(), count);
    if (!done && error) *error = QString::fromStdString(done.error());
    if (done) refreshViews();
    return done.ok();
}

bool TicketRegisterWindow::updateTicket(long long id, int drawNo, const QString& numbers, int count,
                                        QString* error)
{
    const Status done = m_register.update(id, drawNo, numbers.toStdString(), count);
    if (!done && error) *error = QString::fromStdString(done.error());
    if (done) refreshViews();
    return done.ok();
}

bool TicketRegisterWindow::removeTicket(long long id, QString* error)
{
    const Status done = m_register.remove(id);
    if (!done && error) *error = QString::fromStdString(done.error());
    if (done) refreshViews();
    return done.ok();
}

bool TicketRegisterWindow::setPrizeAmount(int drawNo, PrizeTier tier, const QString& yen,
                                          QString* error)
{
    const Status done = m_register.setTypedAmount(drawNo, tier, yen.toStdString());
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
    std::array<std::string, kPrizeTierCount> texts;
    for (std::size_t t = 0; t < texts.size(); ++t)
        texts[t] = m_prizeEdits[t]->text().toStdString();
    if (Status done = m_register.setTypedAmounts(m_prizeDraw->value(), texts); !done)
        showError(QString::fromStdString(done.error()));
    refreshViews();
}

void TicketRegisterWindow::showError(const QString& text)
{
    QMessageBox::critical(this, kMessageTitle, text, QMessageBox::Ok);
}

void TicketRegisterWindow::closeWindow()
{
    closeChildWindow(*this);
}
