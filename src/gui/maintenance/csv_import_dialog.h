// CsvImportDialog: the preview shown before draws from a CSV file are written: what the file
// holds, what is new, what differs from the stored draws, the rejected lines, and the choice
// between 追加・更新, 全て置き換え and cancelling. Also the prize data the file brings, the stored
// amounts it gives otherwise, and the stored draws it lacks (a downloaded database file too).
#pragma once

#include <QDialog>

#include "core/draws/draw_merge.h"
#include "core/grid/result_grid.h"

class GridView;
class QPushButton;

class CsvImportDialog : public QDialog {
    Q_OBJECT
public:
    // source names the file or address the draws came from.
    CsvImportDialog(const CsvImport& import, const QString& source, QWidget* parent = nullptr);

    // What the player chose; meaningful when exec() returned Accepted.
    MergeMode chosenMode() const { return m_mode; }
    QPushButton* addButton() const { return m_addButton; }
    QPushButton* replaceButton() const { return m_replaceButton; }
    QPushButton* cancelButton() const { return m_cancelButton; }
    GridView* changedView() const { return m_changed; }
    GridView* rejectedView() const { return m_rejected; }
    GridView* prizeView() const { return m_prizes; }           // null without differing amounts
    GridView* onlyStoredView() const { return m_onlyStored; }  // null when the file lacks none

private:
    void choose(MergeMode mode);

    const CsvImport& m_import;
    MergeMode m_mode = MergeMode::AddAndReplace;
    GridView* m_changed = nullptr;
    GridView* m_rejected = nullptr;
    GridView* m_prizes = nullptr;
    GridView* m_onlyStored = nullptr;
    QPushButton* m_addButton = nullptr;
    QPushButton* m_replaceButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
};

// The grids the preview shows, as plain data (for the dialog and its tests).
ResultGrid changedDrawsGrid(const std::vector<ChangedDraw>& changed);
ResultGrid rejectedLinesGrid(const std::vector<CsvRejection>& rejected);
ResultGrid prizeDifferencesGrid(const std::vector<PrizeDifference>& differing);
ResultGrid onlyStoredGrid(const std::vector<DrawRow>& rows);
