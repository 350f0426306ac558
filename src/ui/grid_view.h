// GridView: paints a ResultGrid (frozen rows and columns, overflow, per-side borders) and lets
// the player select cells and copy them. Only the visible cells are painted.
#pragma once

#include <QAbstractScrollArea>

#include "ui/grid_geometry.h"
#include "ui/result_grid.h"

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

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void updateScrollBars();
    // The cell under a viewport point, clamped to the grid; false when the grid is empty.
    bool cellAtPoint(QPoint point, int& col, int& row) const;

    ResultGrid m_grid;
    GridGeometry m_geometry;
    int m_anchorCol = 0, m_anchorRow = 0;  // where the selection started (0 = none)
    int m_cursorCol = 0, m_cursorRow = 0;  // where it ends
};
