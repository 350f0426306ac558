// Window tests of GridView: painting (backgrounds, borders, frozen areas, overflow), selection
// and copying.
#include "gui/report/grid_font.h"
#include "gui/ui/grid_view.h"

#include <QApplication>
#include <QClipboard>
#include <QScrollBar>
#include <QTest>

namespace {

constexpr Rgb kRed = rgb(255, 0, 0);
constexpr Rgb kBlue = rgb(0, 0, 255);
constexpr Rgb kGreen = rgb(0, 160, 0);

QColor toColor(Rgb c)
{
    return QColor(c.r, c.g, c.b);
}

// The viewport as painted, in viewport pixels.
QImage paintedViewport(GridView& view)
{
    return view.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QPoint centreOf(const PixelRect& r)
{
    return {r.x + r.width / 2, r.y + r.height / 2};
}

// Dark pixels (text) inside a rectangle of the image.
int darkPixels(const QImage& image, QRect rect)
{
    int count = 0;
    rect &= image.rect();
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            if (qGray(image.pixel(x, y)) < 128) ++count;
    return count;
}

// Row r's background says which row it is, so a scrolled body can be checked.
Rgb rowColour(int r)
{
    return rgb(r % 2 ? 255 : 200, 255, r % 3 ? 255 : 210);
}

}  // namespace

class GridViewTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { installGridFontSubstitution(); }

    void paintsBackgroundsAndSharedBorders()
    {
        ResultGrid grid(3, 3);
        grid.setBackground(cellAt(2, 2), kRed);
        grid.setBorder(cellAt(1, 1), Side::Right, kGreen);  // shared with (2,1)'s left side
        grid.setBorder(cellAt(3, 3), Side::Top, kBlue);     // shared with (3,2)'s bottom
        GridView view;
        view.setGrid(grid);
        view.resize(view.sizeHint());
        view.show();
        const QImage image = paintedViewport(view);
        const GridGeometry& g = view.geometry();

        QCOMPARE(image.pixelColor(centreOf(g.cellRect(2, 2))), toColor(kRed));
        QCOMPARE(image.pixelColor(centreOf(g.cellRect(1, 2))), QColor(Qt::white));
        const int edgeX = g.columnLeft(2) - 1;
        QCOMPARE(image.pixelColor(edgeX, g.rowTop(1) + 3), toColor(kGreen));
        QVERIFY(image.pixelColor(edgeX, g.rowTop(2) + 3) != toColor(kGreen));
        const int edgeY = g.rowTop(3) - 1;
        QCOMPARE(image.pixelColor(g.columnLeft(3) + 3, edgeY), toColor(kBlue));
        QCOMPARE(image.pixelColor(g.columnLeft(2) + 3, edgeY), toColor(kRed));
    }

    void sizeHintShowsTheShownColumnsAndRows()
    {
        ResultGrid grid(100, 40);
        grid.setDefaultColumnWidth(2);
        grid.setShownColumns(10);
        grid.setShownRows(40);
        grid.setScrollBars(ScrollBars::Both, true);
        GridView view;
        view.setGrid(grid);
        const int frame = 2 * view.frameWidth();
        const QSize hint = view.sizeHint();
        QCOMPARE(hint.width(), 10 * 16 + frame);   // all rows shown: no vertical bar
        QVERIFY(hint.height() > 40 * 16 + frame);  // too many columns: a horizontal bar
        view.resize(hint);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QVERIFY(view.horizontalScrollBar()->isVisible());
        QVERIFY(!view.verticalScrollBar()->isVisible());
        QCOMPARE(view.verticalScrollBar()->maximum(), 0);

        grid.setScrollBars(ScrollBars::None);
        view.setGrid(grid);
        QCOMPARE(view.sizeHint(), QSize(10 * 16 + frame, 40 * 16 + frame));
        QCOMPARE(view.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    }

    void frozenRowsAndColumnsStayInViewWhileScrolling()
    {
        ResultGrid grid(15, 32767);
        grid.setFrozenRows(1);
        grid.setFrozenColumns(1);
        grid.setShownColumns(6);
        grid.setShownRows(20);
        for (int r = 2; r <= 32767; ++r)
            grid.setBackground(grid.row(r), rowColour(r));
        grid.setBackground(grid.row(1), kBlue);
        grid.setBackground(grid.column(1), kGreen);
        GridView view;
        view.setGrid(std::move(grid));
        view.resize(view.sizeHint());
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        const GridGeometry& g = view.geometry();

        QScrollBar* v = view.verticalScrollBar();
        QVERIFY(v->maximum() > 400000);
        v->setValue(g.rowTop(30000) - g.frozenHeight());
        view.horizontalScrollBar()->setValue(g.columnLeft(8) - g.frozenWidth());
        QImage image = paintedViewport(view);
        // The frozen row is still at the top, the frozen column still at the left.
        QCOMPARE(image.pixelColor(g.frozenWidth() + 5, 3), toColor(kBlue));
        QCOMPARE(image.pixelColor(3, g.frozenHeight() + 3), toColor(kGreen));
        // Right below the frozen row the body shows row 30000.
        QCOMPARE(image.pixelColor(g.frozenWidth() + 5, g.frozenHeight() + 3),
                 toColor(rowColour(30000)));
        QCOMPARE(image.pixelColor(g.frozenWidth() + 5, g.frozenHeight() + g.rowHeight(30000) + 3),
                 toColor(rowColour(30001)));

        v->setValue(v->maximum());
        image = paintedViewport(view);
        QCOMPARE(image.pixelColor(g.frozenWidth() + 5, image.height() - 3),
                 toColor(rowColour(32767)));
        QCOMPARE(image.pixelColor(g.frozenWidth() + 5, 3), toColor(kBlue));
    }

    void overflowTextRunsOnOverEmptyNeighboursOnly()
    {
        ResultGrid grid(8, 2);
        grid.setDefaultColumnWidth(2);
        grid.setDefaultRowHeight(15);
        // Row 2's shorter text would run into column 3 but for the cell there.
        grid.setText(1, 1, "WWWWWWWWWWWW");
        grid.setText(1, 2, "WWWW");
        grid.setHAlign(grid.column(1), HAlign::Left);
        grid.setText(3, 2, " ");  // not empty: row 2's text stops before it
        GridView view;
        view.setGrid(grid);
        view.resize(view.sizeHint());
        view.show();
        const GridGeometry& g = view.geometry();
        const auto cellArea = [&](int col, int row) {
            const PixelRect r = g.cellRect(col, row);
            return QRect(r.x, r.y, r.width - 1, r.height - 1);
        };

        QImage image = paintedViewport(view);
        // Overflow off: the column widens to the text, which stays in its cell.
        QVERIFY(g.columnWidth(1) > columnWidthToPixels(2));
        QCOMPARE(darkPixels(image, cellArea(3, 1)), 0);
        QVERIFY(darkPixels(image, cellArea(1, 1)) > 0);

        grid.setOverflow(true);
        view.setGrid(grid);
        image = paintedViewport(view);
        QVERIFY(darkPixels(image, cellArea(2, 1)) > 0);
        QVERIFY(darkPixels(image, cellArea(3, 1)) > 0);
        QVERIFY(darkPixels(image, cellArea(2, 2)) > 0);
        QCOMPARE(darkPixels(image, cellArea(3, 2)), 0);
        QCOMPARE(darkPixels(image, cellArea(4, 2)), 0);

        // Scrolled so that the source cell is out of view, its text still shows.
        grid.setShownColumns(3);
        view.setGrid(grid);
        view.resize(view.sizeHint());
        view.horizontalScrollBar()->setValue(g.columnLeft(2));
        image = paintedViewport(view);
        QVERIFY(darkPixels(image, QRect(0, 0, 20, g.rowHeight(1) - 1)) > 0);
    }

    void centredTextSpreadsOverEmptyNeighboursOnBothSides()
    {
        ResultGrid grid(9, 1);
        grid.setDefaultColumnWidth(2);
        grid.setDefaultRowHeight(15);
        grid.setText(5, 1, "WWWWWWWW");  // far wider than its 16 px cell
        grid.setText(2, 1, " ");         // a filled cell stops it on the left
        grid.setOverflow(true);
        GridView view;
        view.setGrid(grid);
        view.resize(view.sizeHint());
        view.show();
        const GridGeometry& g = view.geometry();
        const auto cellArea = [&](int col) {
            const PixelRect r = g.cellRect(col, 1);
            return QRect(r.x, r.y, r.width - 1, r.height - 1);
        };
        const QImage image = paintedViewport(view);
        QVERIFY(darkPixels(image, cellArea(4)) > 0);
        QVERIFY(darkPixels(image, cellArea(6)) > 0);
        QVERIFY(darkPixels(image, cellArea(3)) > 0);
        QCOMPARE(darkPixels(image, cellArea(1)), 0);
    }

    void copiesTheSelectionAsTabSeparatedText()
    {
        ResultGrid grid(3, 3);
        grid.setText(1, 1, "a");
        grid.setText(2, 1, "b");
        grid.setText(1, 2, "c");
        grid.setText(3, 3, "z");
        GridView view;
        view.setGrid(grid);
        view.resize(view.sizeHint());
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        const GridGeometry& g = view.geometry();

        // Drag from (1,1) to (2,2).
        QTest::mousePress(view.viewport(), Qt::LeftButton, {},
                          QPoint(centreOf(g.cellRect(1, 1)).x(), centreOf(g.cellRect(1, 1)).y()));
        QMouseEvent move(QEvent::MouseMove,
                         QPointF(centreOf(g.cellRect(2, 2)).x(), centreOf(g.cellRect(2, 2)).y()),
                         view.viewport()->mapToGlobal(QPointF(centreOf(g.cellRect(2, 2)).x(),
                                                              centreOf(g.cellRect(2, 2)).y())),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view.viewport(), &move);
        QTest::mouseRelease(view.viewport(), Qt::LeftButton, {},
                            QPoint(centreOf(g.cellRect(2, 2)).x(), centreOf(g.cellRect(2, 2)).y()));
        QVERIFY(view.hasSelection());
        QCOMPARE(view.selection().col2, 2);
        QCOMPARE(view.selection().row2, 2);

        QApplication::clipboard()->clear();
        view.setFocus();
        QTest::keyClick(&view, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("a\tb\nc\t"));

        view.selectBlock(blockOf(3, 3, 2, 2));
        QCOMPARE(view.selectedText(), QStringLiteral("\t\n\tz"));
        view.selectBlock(blockOf(-5, -5, 99, 1));
        QCOMPARE(view.selectedText(), QStringLiteral("a\tb\t"));

        // A new grid drops the selection; an empty grid copies nothing.
        view.setGrid(ResultGrid{});
        QVERIFY(!view.hasSelection());
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(!view.hasSelection());
    }

    void highlightsTheActiveCellOnlyWhenSet()
    {
        ResultGrid grid(2, 2);
        grid.setColumnWidth(1, 5);
        GridView view;
        view.setGrid(grid);
        view.resize(view.sizeHint());
        view.show();
        const GridGeometry& g = view.geometry();
        const QPoint insideEdge(g.columnLeft(2) + 1, g.rowTop(2) + 7);
        QCOMPARE(paintedViewport(view).pixelColor(insideEdge), QColor(Qt::white));
        grid.setActiveCell(2, 2);
        view.setGrid(grid);
        QCOMPARE(paintedViewport(view).pixelColor(insideEdge), QColor(Qt::black));
    }
};

QTEST_MAIN(GridViewTest)
#include "grid_view_test.moc"
