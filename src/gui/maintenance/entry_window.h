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
inline const QString kEntryGoBackOrDiscard =
    QStringLiteral("誤りのある数字は保存しません。入力に戻って直すか、保存していない変更を破棄して"
                   "閉じてください。");
inline const QString kAddLineQuestion =
    QStringLiteral("選択された行のうしろに行を追加します。よろしいですか？");
inline const QString kDeleteLineQuestion =
    QStringLiteral("選択された行を削除します。よろしいですか？");

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
    // Every way out (the close box, Ctrl+F4, the program's exit) runs the check of 閉じる:
    // with a wrong cell the player goes back to it or discards the unsaved changes; otherwise
    // every typed row is written in one transaction.
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
    // The check and the write of closing by any other way than 閉じる; false keeps the window.
    bool readyToClose();
    void showCell(int row, int column);
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
    bool m_checked = false;  // 閉じる checked and wrote: the close that follows needs no check
};
