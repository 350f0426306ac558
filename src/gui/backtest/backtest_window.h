// BacktestWindow: the window 予想の検証. It shows how every suggestion of 一発ボボーン would have
// done on the past draws, beside chance, as one table per suggestion set and a chart of the
// cumulative hits minus the hits chance would give.
#pragma once

#include <QWidget>

#include "core/backtest/backtest.h"
#include "core/draws/draw_history.h"

class GridView;
class ReportActions;
class QChartView;
class QLabel;
class QPrinter;
class QPushButton;
class QSpinBox;

inline constexpr const char* kBacktestWindowName = "予想の検証";

class BacktestWindow : public QWidget {
    Q_OBJECT

public:
    // Runs the backtest at once; the option count starts at the one the player has switched on.
    BacktestWindow(const DrawHistory& history, int enabledOptionCount, QWidget* parent = nullptr);

    GridView* gridView() const { return m_grid; }
    QChartView* chartView() const { return m_chart; }
    QSpinBox* firstTargetBox() const { return m_firstTarget; }
    QSpinBox* optionCountBox() const { return m_optionCount; }
    QPushButton* closeButton() const { return m_closeButton; }
    const Backtest& backtest() const { return m_backtest; }

    // The tables as text lines over as many pages as they need, then the chart on a page of
    // its own. False when the printer cannot be painted on.
    bool printTo(QPrinter& printer);

public slots:
    // Reruns everything on a new draw history (after the history was reloaded). The player's
    // first target stays when the new history still has draws from there on.
    void rebuild(const DrawHistory& history);

private:
    void runFrom(const DrawHistory& history, int from);
    // Redraws the table and the chart for the chosen option count.
    void showResults();
    void save();
    void print();
    void closeWindow();

    Backtest m_backtest;
    DrawHistory m_history;  // the snapshot the backtest ran on, rerun when the first target moves
    QLabel* m_description = nullptr;
    QSpinBox* m_firstTarget = nullptr;
    QSpinBox* m_optionCount = nullptr;
    GridView* m_grid = nullptr;
    ReportActions* m_reportActions = nullptr;
    QChartView* m_chart = nullptr;
    QPushButton* m_saveButton = nullptr;
    QPushButton* m_printButton = nullptr;
    QPushButton* m_closeButton = nullptr;
};
