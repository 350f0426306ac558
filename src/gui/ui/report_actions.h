// ReportActions: printing and saving a window's report, as every grid window offers them: a
// print preview, and PDF, Excel workbook, CSV and PNG files, from the grid's right-click menu
// and Ctrl+P. Long saves show their progress and can be cancelled.
#pragma once

#include <QObject>

#include <functional>

#include "core/base/result.h"
#include "core/report/window_report.h"

class GridView;
class QAction;
class QWidget;

enum class ReportFile { Pdf, Xlsx, Csv, Png };

class ReportActions : public QObject {
    Q_OBJECT

public:
    // `report` makes the report of what the window shows at the time it is called.
    ReportActions(QWidget* window, std::function<WindowReport()> report);

    // Puts the menu on the grid's right-click, and Ctrl+P on the whole window.
    void attachTo(GridView* grid);
    QAction* printAction() const { return m_print; }

    // Opens the print preview (Qt's dialog: page set-up, printer choice).
    void printPreview();
    // Asks for a file name and saves in that format; a failure is shown in a message box.
    void saveAs(ReportFile format);

    // Writes the report with a progress dialog that can cancel; the file appears only when
    // complete. Returns kSaveCancelled as the error when the player cancelled.
    static Status save(const WindowReport& report, ReportFile format, const QString& path,
                       QWidget* parent);

private:
    QWidget* m_window;
    std::function<WindowReport()> m_report;
    QAction* m_print = nullptr;
    QList<QAction*> m_menu;
};
