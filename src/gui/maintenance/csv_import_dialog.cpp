#include "gui/maintenance/csv_import_dialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/grid/palette.h"
#include "core/grid/result_grid.h"
#include "core/lottery/lottery_rules.h"
#include "gui/report/grid_font.h"
#include "gui/ui/grid_view.h"
#include "gui/ui/message_titles.h"

namespace {

// "1 7 8 9 10 ＋ 12 (2025-09-23)": six numbers, the bonus after the plus, and the date if any.
std::string drawText(const DrawRow& row)
{
    std::string text;
    for (int k = 0; k < kDrawNumbers; ++k) {
        const std::string number = rawText(row.numbers[static_cast<std::size_t>(k)]);
        if (k == kBonusIndex) text += " ＋";
        if (k) text += ' ';
        text += number.empty() ? "－" : number;
    }
    const std::string date = rawText(row.date);
    if (!date.empty()) text += "  (" + date + ")";
    return text;
}

ResultGrid listGrid(int rows, const std::vector<std::pair<std::string, double>>& columns)
{
    ResultGrid grid(static_cast<int>(columns.size()), rows + 1);
    grid.setFrozenRows(1);
    grid.setShownRows(8);
    grid.setShownColumns(static_cast<int>(columns.size()));
    grid.setScrollBars(ScrollBars::Vertical);
    grid.setAllBorders(grid.all(), kSummaryRule);
    grid.setBackground(grid.row(1), kDrawNoBack);
    for (std::size_t c = 0; c < columns.size(); ++c) {
        grid.setText(static_cast<int>(c) + 1, 1, columns[c].first);
        grid.setColumnWidth(static_cast<int>(c) + 1, columns[c].second);
    }
    return grid;
}

QLabel* label(const QString& text, QWidget* parent)
{
    auto* shown = new QLabel(text, parent);
    shown->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return shown;
}

}  // namespace

ResultGrid changedDrawsGrid(const std::vector<ChangedDraw>& changed)
{
    ResultGrid grid = listGrid(static_cast<int>(changed.size()),
                               {{"回数", 6}, {"登録済み", 26}, {"ファイル", 26}});
    for (std::size_t i = 0; i < changed.size(); ++i) {
        const int row = static_cast<int>(i) + 2;
        grid.setText(1, row, rawText(changed[i].incoming.drawNo));
        grid.setText(2, row, drawText(changed[i].stored));
        grid.setText(3, row, drawText(changed[i].incoming));
        grid.setForeground(cellAt(2, row), kStoredValueText);
        grid.setForeground(cellAt(3, row), kFileValueText);
    }
    grid.setHAlign(blockOf(2, 2, 3, grid.rowCount()), HAlign::Left);
    return grid;
}

ResultGrid rejectedLinesGrid(const std::vector<CsvRejection>& rejected)
{
    ResultGrid grid =
        listGrid(static_cast<int>(rejected.size()), {{"行", 6}, {"取り込めない理由", 52}});
    for (std::size_t i = 0; i < rejected.size(); ++i) {
        grid.setNumber(1, static_cast<int>(i) + 2, rejected[i].line);
        grid.setText(2, static_cast<int>(i) + 2, rejected[i].reason);
    }
    grid.setHAlign(blockOf(2, 2, 2, grid.rowCount()), HAlign::Left);
    return grid;
}

ResultGrid prizeDifferencesGrid(const std::vector<PrizeDifference>& differing)
{
    ResultGrid grid = listGrid(static_cast<int>(differing.size()),
                               {{"回数", 6}, {"項目", 14}, {"登録済み", 16}, {"ファイル", 16}});
    for (std::size_t i = 0; i < differing.size(); ++i) {
        const int row = static_cast<int>(i) + 2;
        grid.setNumber(1, row, differing[i].drawNo);
        grid.setText(2, row, prizeFieldName(differing[i].field));
        grid.setNumber(3, row, differing[i].stored);
        grid.setNumber(4, row, differing[i].incoming);
        grid.setForeground(cellAt(3, row), kStoredValueText);
        grid.setForeground(cellAt(4, row), kFileValueText);
    }
    return grid;
}

ResultGrid onlyStoredGrid(const std::vector<DrawRow>& rows)
{
    ResultGrid grid = listGrid(static_cast<int>(rows.size()), {{"回数", 6}, {"登録済み", 52}});
    for (std::size_t i = 0; i < rows.size(); ++i) {
        grid.setText(1, static_cast<int>(i) + 2, rawText(rows[i].drawNo));
        grid.setText(2, static_cast<int>(i) + 2, drawText(rows[i]));
    }
    grid.setHAlign(blockOf(2, 2, 2, grid.rowCount()), HAlign::Left);
    return grid;
}

CsvImportDialog::CsvImportDialog(const CsvImport& import, const QString& source, QWidget* parent)
    : QDialog(parent), m_import(import)
{
    setObjectName(QStringLiteral("CsvImportDialog"));
    setWindowTitle(QStringLiteral("CSVファイルの取り込み"));
    const MergeSummary summary = import.summary();
    const auto& rows = import.file.rows;

    QString found = QStringLiteral("当選データ %1 回分").arg(rows.size());
    if (!rows.empty())
        found += QStringLiteral("（第%1回〜第%2回）")
                     .arg(QString::fromStdString(rawText(rows.front().drawNo)),
                          QString::fromStdString(rawText(rows.back().drawNo)));
    auto* facts = new QVBoxLayout;
    facts->addWidget(label(
        QStringLiteral("取り込むファイル: %1（%2、%3区切り）")
            .arg(source, QString::fromUtf8(encodingName(import.file.encoding)),
                 import.file.separator == '\t' ? QStringLiteral("タブ") : QStringLiteral("カンマ")),
        this));
    facts->addWidget(label(found, this));
    facts->addWidget(label(QStringLiteral("新しい回: %1　　内容が違う回: %2　　同じ回: %3　　"
                                          "取り込めない行: %4")
                               .arg(summary.added)
                               .arg(summary.replaced)
                               .arg(summary.unchanged)
                               .arg(summary.rejected),
                           this));
    const PrizeMerge& prizes = import.prizes;
    if (import.file.prizeColumns > 0 || prizes.drawsWithPrizes > 0)
        facts->addWidget(label(QStringLiteral("当せん金額のある回: %1　　新しい金額: %2　　"
                                              "登録済みと違う金額: %3")
                                   .arg(prizes.drawsWithPrizes)
                                   .arg(prizes.newAmounts)
                                   .arg(prizes.differing.size()),
                               this));

    auto* changedBox = new QGroupBox(
        QStringLiteral("登録済みと内容が違う回（%1）").arg(import.plan.changed.size()), this);
    m_changed = new GridView(changedBox);
    m_changed->setObjectName(QStringLiteral("changedDraws"));
    m_changed->setGrid(changedDrawsGrid(import.plan.changed));
    (new QVBoxLayout(changedBox))->addWidget(m_changed);

    auto* rejectedBox = new QGroupBox(
        QStringLiteral("取り込めない行（%1）").arg(import.file.rejected.size()), this);
    m_rejected = new GridView(rejectedBox);
    m_rejected->setObjectName(QStringLiteral("rejectedLines"));
    // Prize fields that are not amounts are listed too: their draws come in without them.
    std::vector<CsvRejection> lines = import.file.rejected;
    lines.insert(lines.end(), import.file.prizeWarnings.begin(), import.file.prizeWarnings.end());
    m_rejected->setGrid(rejectedLinesGrid(lines));
    (new QVBoxLayout(rejectedBox))->addWidget(m_rejected);

    QGroupBox* prizeBox = nullptr;
    if (!prizes.differing.empty()) {
        prizeBox = new QGroupBox(
            QStringLiteral("登録済みと違う当せん金額（%1）").arg(prizes.differing.size()), this);
        m_prizes = new GridView(prizeBox);
        m_prizes->setObjectName(QStringLiteral("differingPrizes"));
        m_prizes->setGrid(prizeDifferencesGrid(prizes.differing));
        (new QVBoxLayout(prizeBox))->addWidget(m_prizes);
    }
    QGroupBox* onlyStoredBox = nullptr;
    if (!import.plan.onlyStored.empty()) {
        onlyStoredBox = new QGroupBox(
            QStringLiteral("ファイルにない登録済みの回（%1）: 追加・更新なら残り、全て置き換えなら"
                           "消えます")
                .arg(import.plan.onlyStored.size()),
            this);
        m_onlyStored = new GridView(onlyStoredBox);
        m_onlyStored->setObjectName(QStringLiteral("onlyStoredDraws"));
        m_onlyStored->setGrid(onlyStoredGrid(import.plan.onlyStored));
        (new QVBoxLayout(onlyStoredBox))->addWidget(m_onlyStored);
    }

    m_addButton = new QPushButton(QStringLiteral("追加・更新(&A)"), this);
    m_addButton->setToolTip(QStringLiteral(
        "新しい回を追加し、内容が違う回を置き換えます。ファイルにない回は残ります。"));
    m_addButton->setEnabled(import.addsOrChanges());
    m_replaceButton = new QPushButton(QStringLiteral("全て置き換え(&R)"), this);
    m_replaceButton->setToolTip(QStringLiteral("ファイルの内容を当選データ全体にします。"));
    // A file without any draw never replaces the history.
    m_replaceButton->setEnabled(holdsDraws(rows));
    m_cancelButton = new QPushButton(QStringLiteral("キャンセル"), this);
    m_cancelButton->setDefault(true);
    connect(m_addButton, &QPushButton::clicked, this, [this] { choose(MergeMode::AddAndReplace); });
    connect(m_replaceButton, &QPushButton::clicked, this,
            [this] { choose(MergeMode::ReplaceAll); });
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_addButton);
    buttons->addWidget(m_replaceButton);
    buttons->addWidget(m_cancelButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(facts);
    layout->addWidget(changedBox, 1);
    layout->addWidget(rejectedBox, 1);
    if (prizeBox) layout->addWidget(prizeBox, 1);
    if (onlyStoredBox) layout->addWidget(onlyStoredBox, 1);
    if (!import.addsOrChanges() && !rows.empty())
        layout->addWidget(label(
            QStringLiteral("登録済みの当選データと同じです。追加・更新するものはありません。"),
            this));
    layout->addLayout(buttons);
}

void CsvImportDialog::choose(MergeMode mode)
{
    if (mode == MergeMode::ReplaceAll) {
        // Stored rows the file does not hold are lost by a replacement: say how many.
        const int lost = m_import.summary(MergeMode::ReplaceAll).removed;
        if (lost > 0) {
            const auto answer = QMessageBox::warning(
                this, kMainTitle,
                QStringLiteral(
                    "ファイルにない登録済みの %1 行が消えます。全て置き換えてよろしいですか？")
                    .arg(lost),
                QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
            if (answer != QMessageBox::Yes) return;
        }
    }
    m_mode = mode;
    accept();
}
