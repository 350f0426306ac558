// GridPainter: paints the cells of a ResultGrid (backgrounds, text with overflow, per-side
// borders) with a QPainter in the grid's content coordinates. The grid view paints the screen
// with it, and the reports paint pages and pictures with it, so all of them look alike.
#pragma once

#include <QFont>
#include <QString>

#include <optional>
#include <string>
#include <unordered_map>

#include "core/grid/grid_geometry.h"
#include "core/grid/result_grid.h"

class QPainter;

class GridPainter {
public:
    // Keeps references: the grid and geometry must outlive the painter and be reset() after
    // they change.
    GridPainter(const ResultGrid& grid, const GridGeometry& geometry, const QFont& font);

    // Forgets measured texts; call after the grid or the font changes.
    void reset(const QFont& font);
    const QFont& font() const { return m_font; }
    // Paper is white already: cells of this background are not filled (fewer PDF operations).
    void setPaperColor(Rgb color) { m_paper = color; }

    // The cells of `range` inside one area (`area`: the cells the area may show, which bounds
    // how far overflowing text runs). The painter is translated to content coordinates and
    // clipped to the area; its font is set here.
    void paintCells(QPainter& painter, const CellRange& range, const CellRange& area);

private:
    struct ShownText {
        QString text;
        int width = 0;  // pixels in the font
    };

    void paintText(QPainter& painter, int col, int row, const CellRange& area);
    void paintBorders(QPainter& painter, const CellRange& range);
    const ShownText& shownText(const std::string& text);

    const ResultGrid& m_grid;
    const GridGeometry& m_geometry;
    QFont m_font;
    std::optional<Rgb> m_paper;
    // Cell texts converted and measured once; grids repeat few distinct texts ("●", numbers).
    std::unordered_map<std::string, ShownText> m_textCache;
};
