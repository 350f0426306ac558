// GridView: paints a ResultGrid (frozen rows and columns, overflow, per-side borders) and lets
// the player select cells and copy them. Only the visible cells are painted. The grid's own
// header row and column are never drawn: every grid of the program hides them.
#pragma once

#include <QAbstractScrollArea>

#include <string>
#include <unordered_map>

#include "grid/grid_geometry.h"
#include "grid/result_grid.h"

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
    struct ShownText {
        QString text;
        int width = 0;  // pixels in the view's font
    };

    void applyScrollBarPolicy();
    void updateScrollBars();
    // The cells of `range` inside one area, the painter translated to content coordinates.
    void paintCells(QPainter& painter, const CellRange& range, const CellRange& area);
    void paintText(QPainter& painter, int col, int row, const CellRange& area);
    void paintBorders(QPainter& painter, const CellRange& range);
    const ShownText& shownText(const std::string& text);
    // The cell under a viewport point, clamped to the grid; false when the grid is empty.
    bool cellAtPoint(QPoint point, int& col, int& row) const;

    ResultGrid m_grid;
    GridGeometry m_geometry;
    // Cell texts converted and measured once; grids repeat few distinct texts ("●", numbers).
    std::unordered_map<std::string, ShownText> m_textCache;
    int m_anchorCol = 0, m_anchorRow = 0;  // where the selection started (0 = none)
    int m_cursorCol = 0, m_cursorRow = 0;  // where it ends
};
