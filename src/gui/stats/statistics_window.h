// StatisticsWindow (統計グラフ): one chart per history statistic, the observed counts as bars
// beside the exact chance of a fair draw as a line or band, with the figures grid, the choice of
// how many recent draws to count, PNG/SVG saving and printing.
#pragma once

#include <QWidget>

#include <array>

#include "core/stats/history_statistics.h"
#include "core/stats/statistics_table.h"

class GridView;
class QCheckBox;
class QChartView;
class QComboBox;
class QLabel;
class QPrinter;
class QPushButton;
class QTabWidget;

inline constexpr const char* kStatisticsWindowName = "統計グラフ";

class StatisticsWindow : public QWidget {
    Q_OBJECT

public:
    // Counts `history`, which must outlive the window (or the next rebuild()).
    explicit StatisticsWindow(const DrawHistory& history, QWidget* parent = nullptr);

    // Counts a new or changed history again and redraws the charts, keeping the chosen tab and
    // number of draws. Call it whenever the draw history the window was given is replaced.
    void rebuild(const DrawHistory& history);

    // The number of latest draws counted (0: every draw); one of the selector's choices.
    int lastCount() const;
    void setLastCount(int count);
    const HistoryStatistics& statistics() const { return m_statistics; }

    QTabWidget* tabs() const { return m_tabs; }
    QComboBox* lastCountBox() const { return m_lastCountBox; }
    QCheckBox* bonusBox() const { return m_bonusBox; }
    // The chart, figures and reading of a tab; the chart is drawn when its tab is first shown.
    QChartView* chartView(StatisticsMeasure measure) const;
    GridView* figures(StatisticsMeasure measure) const;
    QLabel* summary(StatisticsMeasure measure) const;
    StatisticsMeasure currentMeasure() const;

    // The current tab's chart as a picture file; false when the file cannot be written.
    bool savePng(const QString& path) const;
    bool saveSvg(const QString& path) const;
    // The current tab's heading, reading and chart on one page.
    void printTo(QPrinter* printer) const;

private:
    struct Page {
        QLabel* summary = nullptr;
        QChartView* chart = nullptr;
        GridView* figures = nullptr;
        bool current = false;  // drawn from the present statistics
    };

    void recount();
    void showPage(int index);
    void drawPage(StatisticsMeasure measure);
    void askSavePng();
    void askSaveSvg();
    void print();
    void closeWindow();
    QString suggestedFileName(const QString& suffix) const;

    const DrawHistory* m_history = nullptr;
    HistoryStatistics m_statistics;
    std::array<Page, kStatisticsMeasureCount> m_pages{};
    QTabWidget* m_tabs = nullptr;
    QComboBox* m_lastCountBox = nullptr;
    QCheckBox* m_bonusBox = nullptr;
};
