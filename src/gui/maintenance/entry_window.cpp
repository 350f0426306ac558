#include "gui/maintenance/entry_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

#include "core/grid/grid_geometry.h"
#include "core/lottery/lottery_rules.h"
#include "core/maintenance/entry_validation.h"
#include "gui/maintenance/entry_table_model.h"
#include "gui/report/grid_font.h"
#include "gui/ui/close_child_window.h"
#include "gui/ui/message_titles.h"

namespace {

// Grid units of the design: 回数 is 5 wide, the numbers 7; rows are 10 high.
constexpr int kDrawNoWidthUnits = 5;
constexpr int kNumberWidthUnits = 7;
constexpr int kRowHeightUnits = 10;
// "2026-12-09" in the grid font.
constexpr int kDateWidthUnits = 11;

// The grid whose open cell editor can be committed on demand (closing, menu commands). It types
// as a spreadsheet does: a key on a cell edits that cell, never searches the table (a search
// took the first key and sent the next ones into another draw), and Enter and Tab walk along
// the draw's numbers, on to the next draw's 第1数字 after ボーナス数字.
class EntryGridView : public QTableView {
public:
    explicit EntryGridView(QWidget* parent) : QTableView(parent) {}
    void commitOpenEditor()
    {
        // The view commits and closes the editor of the cell it leaves; "leaving" the current
        // cell for itself does just that and nothing more.
        if (state() == QAbstractItemView::EditingState)
            QTableView::currentChanged(currentIndex(), currentIndex());
    }
    void keyboardSearch(const QString&) override {}

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (state() != QAbstractItemView::EditingState) {
            if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
                setCurrentIndex(moveCursor(MoveNext, event->modifiers()));
                event->accept();
                return;
            }
            const QString text = event->text();
            const bool modified =
                event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
            if (!text.isEmpty() && text.at(0).isPrint() && !modified) {
                const QModelIndex current = currentIndex();
                if (current.isValid() && (current.flags() & Qt::ItemIsEditable) &&
                    !edit(current, AnyKeyPressed, event) && edit(current, AllEditTriggers, nullptr))
                    if (QWidget* editor = QApplication::focusWidget(); editor && editor != this)
                        QApplication::sendEvent(editor, event);
                event->accept();
                return;
            }
        }
        QTableView::keyPressEvent(event);
    }
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override
    {
        const QModelIndex current = currentIndex();
        if (!current.isValid() || (action != MoveNext && action != MovePrevious))
            return QTableView::moveCursor(action, modifiers);
        int row = current.row(), column = current.column();
        const int first = kFirstCheckedColumn, bonus = EntryTableModel::kBonusGridColumn;
        if (action == MoveNext) {
            if (column >= first && column < bonus) {
                ++column;
            } else if (row + 1 < model()->rowCount()) {
                ++row;
                column = first;
            } else {
                column = std::clamp(column, first, bonus);
            }
        } else if (column > first && column <= bonus) {
            --column;
        } else if (column == EntryTableModel::kDateGridColumn) {
            column = bonus;
        } else if (row > 0) {
            --row;
            column = bonus;
        }
        return model()->index(row, column);
    }
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override
    {
        // Enter in a cell goes on to the next field, as Tab does.
        if (hint == QAbstractItemDelegate::SubmitModelCache)
            hint = QAbstractItemDelegate::EditNextItem;
        QTableView::closeEditor(editor, hint);
    }
};

// Number cells: digits only, centred; the date cell: digits and separators. The current cell
// gets a frame, so that the player sees which cell the keys go to within the selected row.
class NumberEntryDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override
    {
        auto* editor =
            qobject_cast<QLineEdit*>(QStyledItemDelegate::createEditor(parent, option, index));
        if (!editor) return nullptr;
        editor->setAlignment(Qt::AlignCenter);
        editor->setFrame(false);
        // Nine digits at most: any longer number is out of range anyway and must stay a number.
        const bool date = index.column() == EntryTableModel::kDateGridColumn;
        editor->setValidator(new QRegularExpressionValidator(
            QRegularExpression(date ? QStringLiteral("[0-9/-]{0,10}")
                                    : QStringLiteral("[0-9]{0,9}")),
            editor));
        return editor;
    }
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        QStyledItemDelegate::paint(painter, option, index);
        const auto* view = qobject_cast<const QAbstractItemView*>(parent());
        if (!view || view->currentIndex() != index) return;
        painter->save();
        QPen pen(option.palette.color(QPalette::Active, QPalette::Text));
        pen.setWidth(2);
        painter->setPen(pen);
        painter->drawRect(option.rect.adjusted(1, 1, -1, -1));
        painter->restore();
    }
};

}  // namespace

EntryWindow* EntryWindow::create(const std::string& connectString, QString* error, QWidget* parent)
{
    auto editor = DrawEditor::open(connectString);
    if (!editor) {
        if (error) *error = QString::fromStdString(editor.error());
        return nullptr;
    }
    return new EntryWindow(new EntryTableModel(std::move(editor.value())), parent);
}

EntryWindow::EntryWindow(EntryTableModel* model, QWidget* parent) : QWidget(parent), m_model(model)
{
    m_model->setParent(this);
    setObjectName(kEntryWindowName);
    setWindowTitle(kEntryWindowName);

    m_label = new QLabel(
        QStringLiteral("当選数字を開催回数毎に入力します（分析対象データとなります）"), this);
    m_label->setObjectName(QStringLiteral("Label1"));

    auto* grid = new EntryGridView(this);
    m_grid = grid;
    m_grid->setObjectName(QStringLiteral("fpSpread1"));
    m_grid->setFont(gridFont());
    m_grid->setModel(m_model);
    m_grid->setItemDelegate(new NumberEntryDelegate(m_grid));
    m_grid->verticalHeader()->hide();
    m_grid->verticalHeader()->setMinimumSectionSize(1);
    m_grid->verticalHeader()->setDefaultSectionSize(rowHeightToPixels(kRowHeightUnits));
    m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid->horizontalHeader()->setFont(gridFont());
    m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid->horizontalHeader()->setHighlightSections(false);
    // "ボーナス数字" is wider than its column: header texts may take a second line.
    m_grid->horizontalHeader()->setDefaultAlignment(
        Qt::Alignment(Qt::AlignCenter | Qt::TextWordWrap));
    m_grid->horizontalHeader()->setFixedHeight(2 * QFontMetrics(gridFont()).height() + 6);
    m_grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_grid->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    // No SelectedClicked: a click on the current cell waits to tell a double click, and a key
    // typed meanwhile was dropped. As in a spreadsheet, a key, F2 or a double click edits.
    m_grid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::AnyKeyPressed);
    m_grid->setTabKeyNavigation(true);
    m_grid->viewport()->installEventFilter(this);
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &EntryWindow::leaveRow);
    if (m_model->rowCount() > 0) m_grid->setCurrentIndex(m_model->index(0, 1));

    m_closeButton = new QPushButton(QStringLiteral("閉じる"), this);
    m_closeButton->setObjectName(QStringLiteral("Command1"));
    connect(m_closeButton, &QPushButton::clicked, this, &EntryWindow::checkAndClose);

    createActions();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 0, 6, 6);
    layout->setSpacing(4);
    auto* menuBar = new QMenuBar(this);
    QMenu* edit = menuBar->addMenu(QStringLiteral("編集(&E)"));
    edit->setObjectName(QStringLiteral("mnuEdit"));
    edit->addAction(m_addLineAction);
    edit->addAction(m_deleteLineAction);
    layout->setMenuBar(menuBar);
    layout->addWidget(m_label);
    layout->addWidget(m_grid, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_closeButton);
    layout->addLayout(buttons);
}

void EntryWindow::createActions()
{
    m_addLineAction = new QAction(QStringLiteral("行追加"), this);
    m_addLineAction->setObjectName(QStringLiteral("mnuAddLine"));
    m_addLineAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
    m_addLineAction->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(m_addLineAction, &QAction::triggered, this, &EntryWindow::addLine);

    m_deleteLineAction = new QAction(QStringLiteral("行削除"), this);
    m_deleteLineAction->setObjectName(QStringLiteral("mnuDelLine"));
    m_deleteLineAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    m_deleteLineAction->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(m_deleteLineAction, &QAction::triggered, this, &EntryWindow::deleteLine);

    // The shortcuts work wherever the focus is inside this window.
    addAction(m_addLineAction);
    addAction(m_deleteLineAction);
}

void EntryWindow::commitOpenEditor()
{
    static_cast<EntryGridView*>(m_grid)->commitOpenEditor();
}

void EntryWindow::leaveRow(const QModelIndex&, const QModelIndex& previous)
{
    // A row that is being inserted or removed is not "left" by the player. A row that does not
    // pass the closing check stays typed but unwritten; the check names it on closing.
    if (m_model->isChangingRows() || !previous.isValid()) return;
    if (auto written = m_model->writeRowIfValid(previous.row()); !written)
        showError(QString::fromStdString(written.error()));
}

bool EntryWindow::confirm(const QString& question)
{
    QMessageBox box(QMessageBox::Warning, kMainTitle, question, QMessageBox::Yes | QMessageBox::No,
                    this);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void EntryWindow::showError(const QString& text)
{
    QMessageBox::critical(this, kMessageTitle, text, QMessageBox::Ok);
}

void EntryWindow::addLine()
{
    if (!confirm(kAddLineQuestion)) return;
    commitOpenEditor();
    const QModelIndex current = m_grid->currentIndex();
    const int column = current.isValid() ? current.column() : 1;
    std::optional<int> after;
    if (current.isValid())
        after = current.row();
    else if (m_model->rowCount() > 0)
        after = m_model->rowCount() - 1;
    const Result<int> row = m_model->insertRowAfter(after);
    if (!row) {
        showError(QString::fromStdString(row.error()));
        return;
    }
    // Moving into the new row leaves the old one, which writes what was typed there.
    m_grid->setCurrentIndex(m_model->index(*row, column));
    m_grid->scrollTo(m_grid->currentIndex());
}

void EntryWindow::deleteLine()
{
    if (!confirm(kDeleteLineQuestion)) return;
    commitOpenEditor();
    const QModelIndex current = m_grid->currentIndex();
    if (!current.isValid()) return;
    const int row = current.row(), column = current.column();
    if (auto removed = m_model->deleteRow(row); !removed) {
        showError(QString::fromStdString(removed.error()));
        return;
    }
    if (m_model->rowCount() > 0)
        m_grid->setCurrentIndex(m_model->index(std::min(row, m_model->rowCount() - 1), column));
}

void EntryWindow::showCell(int row, int column)
{
    const QModelIndex cell = m_model->index(row, column);
    m_grid->setCurrentIndex(cell);
    m_grid->scrollTo(cell);
    m_grid->setFocus();
}

void EntryWindow::checkAndClose()
{
    commitOpenEditor();
    if (const auto wrong = firstWrongCell(m_model->texts())) {
        showError(kEntryCheckFailed);
        showCell(static_cast<int>(wrong->row), wrong->column);
        return;
    }
    if (!writeBeforeClosing()) return;
    m_checked = true;
    closeWindow();
}

bool EntryWindow::readyToClose()
{
    commitOpenEditor();
    if (const auto wrong = firstWrongCell(m_model->texts())) {
        // The close box, Ctrl+F4 and the program's exit run the same check as 閉じる; nothing
        // wrong is stored, so the player goes back to the cell or lets the changes go.
        QMessageBox box(QMessageBox::Critical, kMessageTitle, kEntryCheckFailed,
                        QMessageBox::Cancel | QMessageBox::Discard, this);
        box.setInformativeText(kEntryGoBackOrDiscard);
        box.button(QMessageBox::Cancel)->setText(QStringLiteral("入力に戻る"));
        box.button(QMessageBox::Discard)->setText(QStringLiteral("変更を破棄して閉じる"));
        box.setDefaultButton(QMessageBox::Cancel);
        if (box.exec() != QMessageBox::Discard) {
            showCell(static_cast<int>(wrong->row), wrong->column);
            return false;
        }
        m_model->discardPending();
        return true;
    }
    return writeBeforeClosing();
}

void EntryWindow::closeWindow()
{
    closeChildWindow(*this);
}

bool EntryWindow::writeBeforeClosing()
{
    // Every typed row in one transaction, under the lock the window holds: all or nothing.
    const std::vector<std::string> failures = m_model->writePendingRows();
    if (failures.empty()) return true;
    QString text;
    for (const std::string& failure : failures)
        text += QString::fromStdString(failure) + u'\n';
    text += QStringLiteral("\n書き込めなかった入力を破棄して閉じますか？");
    if (!confirm(text)) return false;
    m_model->discardPending();
    return true;
}

void EntryWindow::closeEvent(QCloseEvent* event)
{
    // 閉じる has checked and written already.
    if (!m_checked && !readyToClose()) {
        event->ignore();
        return;
    }
    event->accept();
}

void EntryWindow::fitColumns()
{
    // The design's widths, 5 units for 回数, 7 for each number and the date's, in proportion
    // across the grid's visible width; no column is ever narrower than its widest text (the
    // highest draw number, a two-digit number, a whole date). The date takes what it needs first,
    // 回数 and the numbers share the rest 5:7.
    const QFontMetrics metrics = m_grid->fontMetrics();
    const int padding =
        2 * m_grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, m_grid) + 8;
    const auto needed = [&](const QString& text) {
        return metrics.horizontalAdvance(text) + padding;
    };
    const int available = m_grid->viewport()->width();
    const int totalUnits = kDrawNoWidthUnits + kDrawNumbers * kNumberWidthUnits + kDateWidthUnits;
    const int dateWidth =
        std::max(available * kDateWidthUnits / totalUnits, needed(QStringLiteral("0000-00-00")));
    const int shared = available - dateWidth;
    const int drawNoNeeded = needed(QString::number(kHighestDrawNo));
    const int numberWidth =
        std::max(std::min(shared * kNumberWidthUnits /
                              (kDrawNoWidthUnits + kDrawNumbers * kNumberWidthUnits),
                          (shared - drawNoNeeded) / kDrawNumbers),
                 needed(QStringLiteral("00")));
    m_grid->setColumnWidth(0, std::max(drawNoNeeded, shared - kDrawNumbers * numberWidth));
    for (int c = 1; c <= EntryTableModel::kBonusGridColumn; ++c)
        m_grid->setColumnWidth(c, numberWidth);
    m_grid->setColumnWidth(EntryTableModel::kDateGridColumn, dateWidth);
}

bool EntryWindow::eventFilter(QObject* watched, QEvent* event)
{
    // The visible width changes with the window and with the vertical scroll bar.
    if (watched == m_grid->viewport() && event->type() == QEvent::Resize) fitColumns();
    return QWidget::eventFilter(watched, event);
}
