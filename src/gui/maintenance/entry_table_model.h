// EntryTableModel: the entry grid's table over the draw editor. It shows what the player typed
// until that row is written, so a failed write never loses a typed value.
#pragma once

#include <QAbstractTableModel>
#include <QString>

#include <map>
#include <optional>
#include <vector>

#include "core/maintenance/draw_editor.h"
#include "core/maintenance/entry_validation.h"

class EntryTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int kColumnCount = 8;  // 回数, 第1数字..第5数字, ボーナス数字, 日付
    static constexpr int kDrawNoGridColumn = 0;
    static constexpr int kBonusGridColumn = 6;
    static constexpr int kDateGridColumn = kDateEntryColumn;

    explicit EntryTableModel(DrawEditor editor, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    // True while the row holds typed values not yet in the database.
    bool isPending(int row) const;
    // Writes the row's typed values; on failure they stay pending and shown.
    Status writeRow(int row);
    // Writes the row's typed values when they pass the closing check; a row that does not stays
    // pending (nothing wrong is ever stored) and is reported by the check.
    Status writeRowIfValid(int row);
    // Writes every pending row in one transaction (all or nothing); the message when it failed.
    std::vector<std::string> writePendingRows();
    // Forgets every typed value not yet written: the rows show what is stored again.
    void discardPending();

    // Adds a row below `after` (at the top when nothing is given); returns its row.
    Result<int> insertRowAfter(std::optional<int> after);
    // Removes the row from the database and the grid; its typed values go with it.
    Status deleteRow(int row);

    // The shown texts of every row, for the check on closing.
    std::vector<EntryRowTexts> texts() const;
    // The shown text of one cell.
    QString cellText(int row, int column) const;

    // True between the start and the end of a row insertion or removal.
    bool isChangingRows() const { return m_changingRows; }

private:
    static const RawValue& field(const DrawRow& row, int column);
    static RawValue& field(DrawRow& row, int column);
    // What row `row` shows: its typed values while pending, else the editor's.
    const DrawRow& shownValues(int row) const;
    EntryRowTexts rowTexts(int row) const;
    // Keeps the pending rows' keys on their rows when a row is inserted (+1) or removed (-1).
    void shiftPendingRows(int from, int by);

    DrawEditor m_editor;
    // Typed values not yet written, by row. The rows themselves are the editor's: the grid never
    // copies the whole result set.
    std::map<int, DrawRow> m_pending;
    bool m_changingRows = false;
};
