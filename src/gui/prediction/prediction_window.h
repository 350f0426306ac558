// PredictionWindow: the window 一発ボボーン. Its left half switches the twelve prediction options,
// its right half shows the cycle, elimination, multi-shot and one-shot predictions, recomputed
// at every option click.
#pragma once

#include <QWidget>

#include <array>
#include <string>

#include "core/draws/draw_history.h"
#include "core/draws/draw_tables.h"
#include "core/prediction/prediction_engine.h"
#include "core/prediction/prediction_options.h"
#include "core/report/window_report.h"

class GridView;
class QPushButton;
class ReportActions;
class QRadioButton;

class PredictionWindow : public QWidget {
    Q_OBJECT

public:
    // The options belong to the main window and outlive this window: clicks change them there.
    // Builds everything at once: shows the options, sets up the grids, scans the draws and
    // fills the grids.
    PredictionWindow(PredictionOptions& options, const DrawHistory& history,
                     const DrawTables& tables, QWidget* parent = nullptr);

    // Scans a reloaded history and recomputes the four predictions with the current options.
    void refresh(const DrawHistory& history, const DrawTables& tables);

    GridView* grid(int g) const { return m_grids[static_cast<std::size_t>(g)]; }
    QRadioButton* reflectButton(int option) const
    {
        return m_reflect[static_cast<std::size_t>(option)];
    }
    QRadioButton* ignoreButton(int option) const
    {
        return m_ignore[static_cast<std::size_t>(option)];
    }
    QPushButton* printButton() const { return m_printButton; }
    QPushButton* closeButton() const { return m_closeButton; }
    QPushButton* combinationButton() const { return m_combinationButton; }
    // The four grids with their labels and the options in force, as printed and saved.
    WindowReport report() const;
    ReportActions* reportActions() const { return m_reportActions; }

signals:
    // The player asked for 組合せ作成 to build tickets from these suggestions.
    void combinationRequested();

private:
    void buildOptionFrames(QWidget* frame);
    void buildPredictionArea(QWidget* frame);
    // Switches one option and recomputes all four predictions.
    void setOption(int option, bool on);
    void refreshPrediction();
    // Closes the enclosing sub-window when there is one, so the main window sees it go.
    void closeWindow();

    PredictionOptions& m_options;
    int m_latestDrawNo = 0;
    PredictionEngine m_engine;
    std::array<GridView*, kPredictionGridCount> m_grids{};
    std::array<QRadioButton*, kOptionCount> m_reflect{};
    std::array<QRadioButton*, kOptionCount> m_ignore{};
    QPushButton* m_printButton = nullptr;
    QPushButton* m_closeButton = nullptr;
    QPushButton* m_combinationButton = nullptr;
    ReportActions* m_reportActions = nullptr;
    std::string m_drawRange;
};
