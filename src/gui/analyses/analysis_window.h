// AnalysisWindow: the frame every analysis window shares (description, legend, result grid,
// "印刷" and "閉じる"); it shows the grid its descriptor's build function makes.
#pragma once

#include <QWidget>

#include <string>

#include "core/analyses/analysis_catalog.h"
#include "core/report/window_report.h"

class GridView;
class QPushButton;
class ReportActions;

class AnalysisWindow : public QWidget {
    Q_OBJECT

public:
    // Builds the grid at once, under the busy pointer.
    AnalysisWindow(const AnalysisDescriptor& descriptor, const DrawHistory& history,
                   const DrawTables& tables, QWidget* parent = nullptr);

    // Builds the grid again from a reloaded history; the view keeps its scroll position (as far
    // as the new grid reaches).
    void rebuild(const DrawHistory& history, const DrawTables& tables);

    const AnalysisDescriptor& descriptor() const { return m_descriptor; }
    GridView* gridView() const { return m_grid; }
    QPushButton* closeButton() const { return m_closeButton; }
    QPushButton* printButton() const { return m_printButton; }  // nullptr when absent
    // Print preview and files of the grid (right-click menu, Ctrl+P, "印刷").
    ReportActions* reportActions() const { return m_reportActions; }
    WindowReport report() const;

private:
    // Closes the enclosing sub-window when there is one, so the main window sees it go.
    void closeWindow();

    AnalysisDescriptor m_descriptor;
    GridView* m_grid = nullptr;
    QPushButton* m_closeButton = nullptr;
    QPushButton* m_printButton = nullptr;
    ReportActions* m_reportActions = nullptr;
    std::string m_drawRange;
};
