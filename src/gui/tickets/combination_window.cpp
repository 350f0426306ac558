#include "gui/tickets/combination_window.h"

#include "core/analyses/pattern_letters.h"
#include "core/tickets/combination_view.h"
#include "core/tickets/ticket_grids.h"
#include "core/tickets/ticket_store.h"
#include "gui/report/grid_font.h"
#include "gui/report/palette_color.h"
#include "gui/ui/close_child_window.h"
#include "gui/ui/grid_view.h"
#include "gui/ui/message_titles.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QSaveFile>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QString ticketLine(const TicketNumbers& t, const QString& separator)
{
    QStringList numbers;
    for (int n : t)
        numbers << QString::number(n);
    return numbers.join(separator);
}

// How long the search may shrink a reduced set that fixed numbers or filters narrow (seconds).
constexpr double kSearchSeconds = 1.0;

}  // namespace

CombinationWindow::CombinationWindow(const DrawHistory& history, int latestDrawNo,
                                     int enabledOptions, QString ticketFile, QWidget* parent)
    : QWidget(parent), m_comboHistory(comboHistoryOf(history)), m_ticketFile(std::move(ticketFile))
{
    setObjectName(QString::fromUtf8(kCombinationWindowName));
    setWindowTitle(QString::fromUtf8(kCombinationWindowName));

    auto* left = new QVBoxLayout;
    left->addWidget(buildBoard());
    left->addWidget(buildSuggestions(history, latestDrawNo, enabledOptions));
    left->addWidget(buildFilters());
    left->addStretch();

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addWidget(buildOutput(), 1);
    if (latestDrawNo + 1 <= kHighestDrawNo) m_drawNo->setValue(latestDrawNo + 1);
    recompute();
}

QWidget* CombinationWindow::buildBoard()
{
    auto* box = new QGroupBox(QStringLiteral("数字を選ぶ（固定数字は赤）"), this);
    auto* grid = new QGridLayout;
    grid->setSpacing(2);
    for (int n = 1; n <= kHighestNumber; ++n) {
        auto* button = new QToolButton(box);
        button->setObjectName(QStringLiteral("number%1").arg(n));
        button->setText(QString::number(n));
        button->setCheckable(true);
        button->setMinimumSize(30, 26);
        button->setFocusPolicy(Qt::StrongFocus);
        connect(button, &QToolButton::clicked, this, [this, n] { boardClicked(n); });
        grid->addWidget(button, (n - 1) / 8, (n - 1) % 8);
        m_board[static_cast<std::size_t>(n)] = button;
    }
    m_fixMode = new QCheckBox(QStringLiteral("クリックで固定数字を指定(&F)"), box);
    auto* clear = new QPushButton(QStringLiteral("すべて外す(&C)"), box);
    connect(clear, &QPushButton::clicked, this, &CombinationWindow::clearBoard);
    auto* row = new QHBoxLayout;
    row->addWidget(m_fixMode);
    row->addStretch();
    row->addWidget(clear);
    auto* layout = new QVBoxLayout(box);
    layout->addLayout(grid);
    layout->addLayout(row);
    return box;
}

QWidget* CombinationWindow::buildSuggestions(const DrawHistory& history, int latestDrawNo,
                                             int enabledOptions)
{
    const std::vector<ComboSuggestion> suggestions =
        comboSuggestions(history, latestDrawNo, enabledOptions);
    for (const ComboSuggestion& row : suggestions)
        m_suggestions.push_back(row.numbers);
    const int rows = static_cast<int>(suggestions.size());
    ResultGrid grid = comboSuggestionGrid(suggestions);
    auto* view = new GridView;
    view->setObjectName(QStringLiteral("suggestions"));
    view->setFont(gridFont());
    view->setGrid(std::move(grid));
    view->setFixedSize(view->sizeHint());

    auto* box = new QGroupBox(QStringLiteral("一発ボボーンの予想数字から取り込む"), this);
    auto* buttons = new QGridLayout;
    for (int r = 0; r < rows; ++r) {
        const QString name = QString::fromStdString(suggestions[static_cast<std::size_t>(r)].name);
        auto* take = new QPushButton(name, box);
        take->setToolTip(QStringLiteral("%1の予想数字を選びます").arg(name));
        take->setObjectName(QStringLiteral("take%1").arg(r));
        take->setEnabled(!m_suggestions[static_cast<std::size_t>(r)].empty());
        connect(take, &QPushButton::clicked, this,
                [this, r] { takeNumbers(m_suggestions[static_cast<std::size_t>(r)]); });
        buttons->addWidget(take, 0, r);
    }
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(view);
    layout->addLayout(buttons);
    return box;
}

QWidget* CombinationWindow::buildFilters()
{
    auto* box = new QGroupBox(QStringLiteral("絞り込み（右の数は除いた口数）"), this);
    auto* grid = new QGridLayout(box);
    auto spin = [box](int min, int max, int value) {
        auto* s = new QSpinBox(box);
        s->setRange(min, max);
        s->setValue(value);
        return s;
    };
    auto letters = [this, box](std::array<QCheckBox*, 6>& boxes, const QString& tip) {
        auto* row = new QHBoxLayout;
        row->setSpacing(2);
        for (int i = 0; i < kPatternLetterCount; ++i) {
            const PatternLetter& pattern = kPatternLetters[static_cast<std::size_t>(i)];
            auto* check = new QCheckBox(QString::fromLatin1(pattern.letter), box);
            check->setChecked(true);
            check->setToolTip(tip.arg(i));
            check->setAutoFillBackground(true);
            QPalette palette = check->palette();
            palette.setColor(QPalette::Window, toQColor(pattern.background));
            check->setPalette(palette);
            connect(check, &QCheckBox::toggled, this, &CombinationWindow::recompute);
            boxes[static_cast<std::size_t>(i)] = check;
            row->addWidget(check);
        }
        return row;
    };
    m_sumOn = new QCheckBox(QStringLiteral("合計"), box);
    m_sumMin = spin(15, 145, 60);
    m_sumMax = spin(15, 145, 100);
    auto* sumRow = new QHBoxLayout;
    sumRow->addWidget(m_sumMin);
    sumRow->addWidget(new QLabel(QStringLiteral("～"), box));
    sumRow->addWidget(m_sumMax);
    sumRow->addStretch();
    m_oddEvenOn = new QCheckBox(QStringLiteral("偶数奇数パターン"), box);
    m_lowHighOn = new QCheckBox(QStringLiteral("低数字高数字パターン"), box);
    m_consecutiveOn = new QCheckBox(QStringLiteral("連番の組数"), box);
    m_consecutiveMax = spin(0, 4, 1);
    m_previousOn = new QCheckBox(QStringLiteral("前回数字の個数"), box);
    m_previousMax = spin(0, 5, 1);
    m_notWon = new QCheckBox(QStringLiteral("過去の1等と同じ組合せを除く"), box);

    auto limitRow = [box](QSpinBox* s) {
        auto* row = new QHBoxLayout;
        row->addWidget(new QLabel(QStringLiteral("最大"), box));
        row->addWidget(s);
        row->addWidget(new QLabel(QStringLiteral("個まで"), box));
        row->addStretch();
        return row;
    };
    QCheckBox* switches[] = {m_sumOn,         m_oddEvenOn,  m_lowHighOn,
                             m_consecutiveOn, m_previousOn, m_notWon};
    QLayout* settings[] = {sumRow,
                           letters(m_oddEvenLetters, QStringLiteral("奇数が%1個")),
                           letters(m_lowHighLetters, QStringLiteral("低数字（1～15）が%1個")),
                           limitRow(m_consecutiveMax),
                           limitRow(m_previousMax),
                           nullptr};
    for (int f = 0; f < kComboFilterCount; ++f) {
        grid->addWidget(switches[f], f, 0);
        if (settings[f]) grid->addLayout(settings[f], f, 1);
        auto* removed = new QLabel(box);
        removed->setObjectName(QStringLiteral("removed_%1").arg(filterKey(kComboFilters[f])));
        removed->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        removed->setMinimumWidth(60);
        grid->addWidget(removed, f, 2);
        m_removedLabels[static_cast<std::size_t>(f)] = removed;
        connect(switches[f], &QCheckBox::toggled, this, &CombinationWindow::recompute);
    }
    for (QSpinBox* s : {m_sumMin, m_sumMax, m_consecutiveMax, m_previousMax})
        connect(s, &QSpinBox::valueChanged, this, &CombinationWindow::recompute);

    m_guaranteeChoice = new QComboBox(box);
    m_guaranteeChoice->setObjectName(QStringLiteral("guaranteeChoice"));
    m_guaranteeChoice->addItem(QStringLiteral("削減しない（すべての組合せ）"));
    for (const Guarantee& g : kOfferedGuarantees)
        m_guaranteeChoice->addItem(QString::fromStdString(guaranteeLabel(g)));
    m_guaranteeChoice->setToolTip(
        QStringLiteral("当選数字のうち決めた個数が選んだ数字に入れば、どれか1口が決めた個数以上"
                       "一致する、少ない口数の組合せにします"));
    auto* choiceLabel = new QLabel(QStringLiteral("保証(&R):"), box);
    choiceLabel->setBuddy(m_guaranteeChoice);
    connect(m_guaranteeChoice, &QComboBox::currentIndexChanged, this,
            &CombinationWindow::recompute);
    auto* choiceRow = new QHBoxLayout;
    choiceRow->addWidget(choiceLabel);
    choiceRow->addWidget(m_guaranteeChoice, 1);
    m_guarantee = new QLabel(box);
    m_guarantee->setWordWrap(true);
    m_guarantee->setObjectName(QStringLiteral("guarantee"));
    m_summary = new QLabel(box);
    m_summary->setWordWrap(true);
    m_summary->setObjectName(QStringLiteral("summary"));
    m_progress = new QProgressBar(box);
    m_progress->setRange(0, 100);
    m_progress->setVisible(false);
    m_cancelButton = new QPushButton(QStringLiteral("探索を中止(&X)"), box);
    m_cancelButton->setObjectName(QStringLiteral("cancelSearch"));
    m_cancelButton->setVisible(false);
    connect(m_cancelButton, &QPushButton::clicked, this, &CombinationWindow::cancelSearch);
    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(m_progress, 1);
    searchRow->addWidget(m_cancelButton);
    grid->addLayout(choiceRow, kComboFilterCount, 0, 1, 3);
    grid->addWidget(m_guarantee, kComboFilterCount + 1, 0, 1, 3);
    grid->addWidget(m_summary, kComboFilterCount + 2, 0, 1, 3);
    grid->addLayout(searchRow, kComboFilterCount + 3, 0, 1, 3);
    return box;
}

QWidget* CombinationWindow::buildOutput()
{
    auto* panel = new QWidget(this);
    m_countLabel = new QLabel(panel);
    m_countLabel->setObjectName(QStringLiteral("count"));
    QFont bold = m_countLabel->font();
    bold.setBold(true);
    m_countLabel->setFont(bold);
    m_list = new GridView(panel);
    m_list->setObjectName(QStringLiteral("list"));
    m_list->setFont(gridFont());

    auto* copy = new QPushButton(QStringLiteral("コピー(&O)"), panel);
    auto* save = new QPushButton(QStringLiteral("CSV保存(&S)..."), panel);
    auto* print = new QPushButton(QStringLiteral("印刷(&P)..."), panel);
    connect(copy, &QPushButton::clicked, this, &CombinationWindow::copyList);
    connect(save, &QPushButton::clicked, this, &CombinationWindow::saveCsv);
    connect(print, &QPushButton::clicked, this, &CombinationWindow::printList);
    auto* outputs = new QHBoxLayout;
    outputs->addWidget(copy);
    outputs->addWidget(save);
    outputs->addWidget(print);
    outputs->addStretch();

    m_drawNo = new QSpinBox(panel);
    m_drawNo->setObjectName(QStringLiteral("drawNo"));
    m_drawNo->setRange(1, kHighestDrawNo);
    m_drawNo->setSuffix(QStringLiteral(" 回"));
    m_addButton = new QPushButton(QStringLiteral("購入記録に追加(&A)"), panel);
    m_addButton->setObjectName(QStringLiteral("addToRegister"));
    connect(m_addButton, &QPushButton::clicked, this, &CombinationWindow::addClicked);
    auto* close = new QPushButton(QStringLiteral("閉じる"), panel);
    connect(close, &QPushButton::clicked, this, &CombinationWindow::closeWindow);
    auto* register_ = new QHBoxLayout;
    register_->addWidget(new QLabel(QStringLiteral("購入する回:"), panel));
    register_->addWidget(m_drawNo);
    register_->addWidget(m_addButton);
    register_->addStretch();
    register_->addWidget(close);

    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_countLabel);
    layout->addWidget(m_list, 1);
    layout->addLayout(outputs);
    layout->addLayout(register_);
    return panel;
}

QToolButton* CombinationWindow::boardButton(int number) const
{
    return isValidNumber(number) ? m_board[static_cast<std::size_t>(number)] : nullptr;
}

void CombinationWindow::boardClicked(int number)
{
    const auto i = static_cast<std::size_t>(number);
    if (m_fixMode->isChecked())
        setFixed(number, !m_fixed[i]);
    else
        setPicked(number, !m_picked[i]);
}

void CombinationWindow::setPicked(int number, bool picked)
{
    if (!isValidNumber(number)) return;
    const auto i = static_cast<std::size_t>(number);
    m_picked[i] = picked;
    if (!picked) m_fixed[i] = false;
    QToolButton* button = m_board[i];
    button->setChecked(m_picked[i]);
    button->setStyleSheet(m_fixed[i]    ? QStringLiteral("background:#ff8080;font-weight:bold")
                          : m_picked[i] ? QStringLiteral("background:#c8ffff")
                                        : QString());
    if (!m_updating) recompute();
}

void CombinationWindow::setFixed(int number, bool fixed)
{
    if (!isValidNumber(number)) return;
    m_fixed[static_cast<std::size_t>(number)] = fixed;
    setPicked(number, fixed || m_picked[static_cast<std::size_t>(number)]);
}

void CombinationWindow::takeNumbers(const std::vector<int>& numbers)
{
    m_updating = true;
    for (int n : numbers)
        setPicked(n, true);
    m_updating = false;
    recompute();
}

void CombinationWindow::clearBoard()
{
    m_updating = true;
    for (int n = 1; n <= kHighestNumber; ++n)
        setPicked(n, false);
    m_updating = false;
    recompute();
}

CombinationWindow::~CombinationWindow()
{
    stopWorker();
}

ComboRequest CombinationWindow::currentRequest() const
{
    ComboRequest request;
    for (int n = 1; n <= kHighestNumber; ++n) {
        if (m_fixed[static_cast<std::size_t>(n)]) request.fixed.push_back(n);
        if (m_picked[static_cast<std::size_t>(n)]) request.picked.push_back(n);
    }
    ComboFilters& filters = request.filters;
    if (m_sumOn->isChecked()) filters.sum = std::pair{m_sumMin->value(), m_sumMax->value()};
    auto letters = [](QCheckBox* on, const std::array<QCheckBox*, 6>& boxes) {
        std::string allowed;
        if (!on->isChecked()) return allowed;
        for (int i = 0; i < kPatternLetterCount; ++i)
            if (boxes[static_cast<std::size_t>(i)]->isChecked())
                allowed += static_cast<char>('A' + i);
        return allowed;
    };
    filters.oddEvenLetters = letters(m_oddEvenOn, m_oddEvenLetters);
    filters.lowHighLetters = letters(m_lowHighOn, m_lowHighLetters);
    if (m_consecutiveOn->isChecked()) filters.maxConsecutive = m_consecutiveMax->value();
    if (m_previousOn->isChecked()) filters.maxFromPrevious = m_previousMax->value();
    filters.notWon = m_notWon->isChecked();
    const int choice = m_guaranteeChoice->currentIndex();
    if (choice > 0) request.guarantee = kOfferedGuarantees[static_cast<std::size_t>(choice - 1)];
    return request;
}

void CombinationWindow::recompute()
{
    stopWorker();
    ++m_generation;
    ComboRequest request = currentRequest();
    // The greedy set first (verified, at once); a search for a smaller one follows when fixed
    // numbers or filters rule out the stored set.
    ComboRequest immediate = request;
    immediate.searchSeconds = 0;
    Result<ComboResult> result = buildCombinations(immediate, m_comboHistory);
    const ComboFilters& filters = request.filters;
    const auto noLetter = [](QCheckBox* on, const std::string& allowed) {
        return on->isChecked() && allowed.empty();
    };
    if (noLetter(m_oddEvenOn, filters.oddEvenLetters) ||
        noLetter(m_lowHighOn, filters.lowHighLetters))
        result = Error{"パターンの文字を1つ以上選んでください"};
    const bool search = result && request.guarantee && result->source == CoverSource::Greedy &&
                        result->greedySize > 1;
    showResult(std::move(result), request);
    if (search) startSearch(std::move(request));
}

void CombinationWindow::showResult(Result<ComboResult> result, const ComboRequest& request)
{
    if (result) {
        m_result = std::move(result.value());
        m_countLabel->setText(QStringLiteral("%1 口　%2 円（組合せ %3 通り）")
                                  .arg(QString::fromStdString(yenText(m_result.count())),
                                       QString::fromStdString(yenText(m_result.cost())),
                                       QString::fromStdString(yenText(m_result.generated))));
    } else {
        m_result = {};
        m_countLabel->setText(QString::fromStdString(result.error()));
    }
    for (int f = 0; f < kComboFilterCount; ++f) {
        const bool active = result && request.filters.active(kComboFilters[f]);
        m_removedLabels[static_cast<std::size_t>(f)]->setText(
            active ? QStringLiteral("−%1 口").arg(m_result.removedBy[static_cast<std::size_t>(f)])
                   : QString());
    }
    m_guarantee->setText(m_result.guarantee ? QString::fromStdString(*m_result.guarantee)
                                            : QString());
    QStringList summary;
    if (m_result.guarantee && request.guarantee)
        for (const std::string& line : comboSummaryLines(m_result, *request.guarantee))
            summary << QString::fromStdString(line);
    m_summary->setText(summary.join(u'\n'));
    m_list->setGrid(comboListGrid(m_result.tickets, kComboListLimit));
    // Every column stays visible; the window's spare width goes to the left-hand panels.
    m_list->setMinimumWidth(m_list->sizeHint().width());
    if (m_result.tickets.size() > kComboListLimit)
        m_countLabel->setText(m_countLabel->text() +
                              QStringLiteral("　一覧は先頭 %1 口を表示").arg(kComboListLimit));
    m_addButton->setEnabled(!m_result.tickets.empty());
}

void CombinationWindow::startSearch(ComboRequest request)
{
    m_cancel = std::make_shared<std::atomic<bool>>(false);
    m_workerDone = false;
    m_progress->setValue(0);
    m_progress->setFormat(QStringLiteral("より少ない口数を探しています… %p%"));
    m_progress->setVisible(true);
    m_cancelButton->setVisible(true);
    const unsigned generation = m_generation;
    request.searchSeconds = kSearchSeconds;
    request.cancel = m_cancel.get();
    request.progress = [this, generation](double share, std::size_t best) {
        QMetaObject::invokeMethod(
            this,
            [this, generation, share, best] {
                if (generation != m_generation) return;
                m_progress->setValue(static_cast<int>(share * 100));
                m_progress->setFormat(
                    QStringLiteral("より少ない口数を探しています… %p%（%1 口まで確認済み）")
                        .arg(best));
            },
            Qt::QueuedConnection);
    };
    auto cancel = m_cancel;
    m_worker = std::thread([this, request, history = m_comboHistory, cancel, generation] {
        Result<ComboResult> result = buildCombinations(request, history);
        const bool cancelled = cancel->load();
        m_workerDone = true;
        QMetaObject::invokeMethod(
            this,
            [this, generation, result = std::move(result), cancelled]() mutable {
                searchFinished(generation, std::move(result), cancelled);
            },
            Qt::QueuedConnection);
    });
}

void CombinationWindow::stopWorker()
{
    if (m_cancel) m_cancel->store(true);
    if (m_worker.joinable()) m_worker.join();
    m_workerDone = true;
    m_progress->setVisible(false);
    m_cancelButton->setVisible(false);
}

void CombinationWindow::cancelSearch()
{
    if (!m_worker.joinable()) return;
    stopWorker();
    // The verified set already on screen stays.
    m_summary->setText(m_summary->text() +
                       QStringLiteral("\n探索を中止しました（表示中の組合せは確認済みです）"));
}

void CombinationWindow::searchFinished(unsigned generation, Result<ComboResult> result,
                                       bool cancelled)
{
    if (generation != m_generation) return;
    if (m_worker.joinable()) m_worker.join();
    m_progress->setVisible(false);
    m_cancelButton->setVisible(false);
    // A cancelled search, a failure or no gain leaves the verified set on screen.
    if (cancelled || !result || result->count() >= m_result.count()) return;
    showResult(std::move(result), currentRequest());
}

QString CombinationWindow::csvText() const
{
    return QString::fromStdString(comboCsvText(m_result.tickets));
}

void CombinationWindow::copyList()
{
    QApplication::clipboard()->setText(
        QString::fromStdString(comboClipboardText(m_result.tickets)));
}

void CombinationWindow::saveCsv()
{
    const QString path =
        QFileDialog::getSaveFileName(this, QStringLiteral("CSV保存"), QStringLiteral("組合せ.csv"),
                                     QStringLiteral("CSV (*.csv)"));
    if (path.isEmpty()) return;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(csvText().toUtf8()) < 0 || !file.commit())
        QMessageBox::critical(this, kMessageTitle,
                              QStringLiteral("保存できませんでした: %1").arg(file.errorString()));
}

void CombinationWindow::printList()
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog preview(&printer, this);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, &CombinationWindow::printTo);
    preview.exec();
}

void CombinationWindow::printTo(QPrinter* target) const
{
    QPainter painter(target);
    QFont font = gridFont();
    font.setPointSize(10);
    painter.setFont(font);
    const QRect page = target->pageLayout().paintRectPixels(target->resolution());
    const int lineHeight = painter.fontMetrics().height();
    // A heading line and a blank line on every page, then the tickets in columns.
    const int perColumn = std::max(1, page.height() / lineHeight - 3);
    const int columnWidth =
        painter.fontMetrics().horizontalAdvance(QStringLiteral("00000: 00 00 00 00 00  "));
    const int columns = std::max(1, page.width() / columnWidth);
    const QString heading = QStringLiteral("組合せ作成　%1").arg(m_countLabel->text());
    int i = 0;
    const int total = static_cast<int>(m_result.tickets.size());
    while (i < total) {
        painter.drawText(0, lineHeight, heading);
        for (int c = 0; c < columns && i < total; ++c)
            for (int r = 0; r < perColumn && i < total; ++r, ++i)
                painter.drawText(
                    c * columnWidth, (r + 3) * lineHeight,
                    QStringLiteral("%1: %2").arg(i + 1, 5).arg(ticketLine(
                        m_result.tickets[static_cast<std::size_t>(i)], QStringLiteral(" "))));
        if (i < total) target->newPage();
    }
}

bool CombinationWindow::addToRegister(int drawNo, QString* error)
{
    std::vector<StoredTicket> tickets;
    for (const TicketNumbers& t : m_result.tickets) {
        StoredTicket ticket;
        ticket.drawNo = drawNo;
        ticket.numbers = t;
        ticket.source = kCombinationWindowName;
        tickets.push_back(ticket);
    }
    auto store = TicketStore::open(m_ticketFile.toStdString());
    if (!store) {
        if (error) *error = QString::fromStdString(store.error());
        return false;
    }
    auto added = store->add(tickets);
    if (!added) {
        if (error) *error = QString::fromStdString(added.error());
        return false;
    }
    emit ticketsAdded();
    return true;
}

void CombinationWindow::addClicked()
{
    const int count = static_cast<int>(m_result.tickets.size());
    const auto answer =
        QMessageBox::question(this, QString::fromUtf8(kCombinationWindowName),
                              QStringLiteral("第%1回の購入記録に %2 口（%3 円）を追加しますか？")
                                  .arg(m_drawNo->value())
                                  .arg(count)
                                  .arg(QString::fromStdString(yenText(m_result.cost()))),
                              QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer != QMessageBox::Yes) return;
    QString error;
    if (!addToRegister(m_drawNo->value(), &error))
        QMessageBox::critical(this, kMessageTitle, error);
    else
        QMessageBox::information(this, QString::fromUtf8(kCombinationWindowName),
                                 QStringLiteral("購入記録に %1 口を追加しました。").arg(count));
}

void CombinationWindow::closeWindow()
{
    closeChildWindow(*this);
}
