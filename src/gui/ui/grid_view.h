// GridView: paints a ResultGrid (frozen rows and columns, overflow, per-side borders) and lets
// the player select cells and copy them. Only the visible cells are painted. The grid's own
// header row and column are never drawn: every grid of the program hides them. A column whose
// text does not fit its set width is widened to it. The keyboard moves the active cell as in a
// spreadsheet: arrows, Home/End (first and last column), Ctrl+Home/Ctrl+End (first and last
// cell), PageUp/PageDown (a screen of rows); with Shift the selection grows.
#pragma once

#include <QAbstractScrollArea>

#include "core/grid/grid_geometry.h"
#include "core/grid/result_grid.h"
#include "core/grid/text_width.h"
#include "gui/report/grid_painter.h"

#include <memory>

class GridView : public QAbstractScrollArea {
    Q_OBJECT

public:
    explicit GridView(QWidget* parent = nullptr);

    // Replaces the content and repaints.
    void setGrid(ResultGrid grid);
    const ResultGrid& grid() const { return m_grid; }
    const GridGeometry& geometry() const { return m_geometry; }

    // The selected block (1-based, inclusive), or nothing selected.
    bool hasSelection() const { return m_anchorCol > 0 && m_anchorRow > 0; }
    Block selection() const;
    void selectBlock(Block block);
    void clearSelection();
    // The selected cells as tab-separated text, one line per row.
    QString selectedText() const;
    void copySelection() const;
    // The cell the keyboard moves (the end of the selection); 0, 0 before any.
    int cursorColumn() const { return m_cursorCol; }
    int cursorRow() const { return m_cursorRow; }
    // Scrolls the least that shows the cell (beside the frozen rows and columns).
    void scrollToCell(int col, int row);

    // The size that shows the grid's shown columns and rows, with its frame and the scroll
    // bars that will appear.
    QSize sizeHint() const override;

protected:
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void applyScrollBarPolicy();
    // The geometry for the current grid and font: widths fitted to the texts.
    void layOut();
    // Moves the cursor (and, without extend, the anchor) to the cell, clamped, and shows it.
    void moveCursor(int col, int row, bool extend);
    // The rows one page up or down from row: as many as the body shows.
    int pageRow(int row, int direction) const;
    void updateScrollBars();
    // The cells of `range` inside one area, the painter translated to content coordinates:
    // the cells as every grid paints them, then the selection and the active cell.
    void paintCells(QPainter& painter, const CellRange& range, const CellRange& area);
    // The cell under a viewport point, clamped to the grid; false when the grid is empty.
    bool cellAtPoint(QPoint point, int& col, int& row) const;

    ResultGrid m_grid;
    GridGeometry m_geometry;
    std::unique_ptr<TextWidths> m_textWidths;  // of font()
    GridPainter m_painter{m_grid, m_geometry, font()};
    int m_anchorCol = 0, m_anchorRow = 0;  // where the selection started (0 = none)
    int m_cursorCol = 0, m_cursorRow = 0;  // where it ends
};
