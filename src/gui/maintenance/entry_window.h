// EntryWindow (当選データ入力): the child window in which the player types, corrects, adds and
// deletes draws directly in the draw database, with the check of the numbers on closing.
#pragma once

#include <QWidget>

#include <string>

class EntryTableModel;
class QAction;
class QLabel;
class QPushButton;
class QTableView;

inline const QString kEntryWindowName = QStringLiteral("当選データ入力");
inline const QString kEntryCheckFailed = QStringLiteral("結果マスタの数字に誤りがあります。");
inline const QString kAddLineQuestion =
    QStringLiteral("選択された行のうしろに行を追加します。よろしいですか？");
inline const QString kDeleteLineQuestion =
    QStringLiteral("選択された行を削除します。よろしいですか？");
// Designed client area (twips).
inline constexpr int kEntryClientWidthTwips = 6240;
inline constexpr int kEntryClientHeightTwips = 12825;

class EntryWindow : public QWidget {
    Q_OBJECT
public:
    // Opens the updatable result set on the database; nullptr, with the engine's message in
    // *error, when the database cannot be opened or read.
    static EntryWindow* create(const std::string& connectString, QString* error,
                               QWidget* parent = nullptr);

    QTableView* grid() const { return m_grid; }
    EntryTableModel* model() const { return m_model; }
    QPushButton* closeButton() const { return m_closeButton; }
    QLabel* label() const { return m_label; }
    QAction* addLineAction() const { return m_addLineAction; }
    QAction* deleteLineAction() const { return m_deleteLineAction; }

public slots:
    // "行追加": after a Yes, an empty row below the active row, numbered after it.
    void addLine();
    // "行削除": after a Yes, the active row is deleted.
    void deleteLine();
    // "閉じる": every number cell must be empty or 1..31; the first wrong one is reported.
    void checkAndClose();

protected:
    // The close box skips the check but still writes every pending row.
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    EntryWindow(EntryTableModel* model, QWidget* parent);
    void createActions();
    void leaveRow(const QModelIndex& current, const QModelIndex& previous);
    // Hands an open cell editor's text to the model.
    void commitOpenEditor();
    // Writes every pending row; when some fail, asks whether to close without them.
    bool writeBeforeClosing();
    bool confirm(const QString& question);
    void showError(const QString& text);
    void fitColumns();
    void closeWindow();

    EntryTableModel* m_model = nullptr;
    QTableView* m_grid = nullptr;
    QLabel* m_label = nullptr;
    QPushButton* m_closeButton = nullptr;
    QAction* m_addLineAction = nullptr;
    QAction* m_deleteLineAction = nullptr;
};
