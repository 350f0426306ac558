// One start of a program to its first paint in the running X server, for the start-up
// measurement (first_paint.py runs it many times and compares). Built twice: with
// FIRST_PAINT_POMURAN and linked like pomuran, it runs the real start-up (runProgram, as main()
// runs it); linked with Qt Widgets alone, it runs one of two baselines:
//   empty    an empty QMainWindow of the main window's size
//   menu     the same window with the main window's menu bar and a label: what any program with
//            a menu pays
// It prints "main_window_painted NS CPU" once the main window's first paint has gone to the
// screen and, for pomuran, "prediction_painted NS CPU" once the prediction window that opens at
// start-up has (NS: the steady clock, CLOCK_MONOTONIC, in nanoseconds; CPU: the processor time
// the process has used so far, user and system, in microseconds), then leaves.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <cstring>

#include <sys/resource.h>

#include "core/grid/units.h"
#include "gui/app/main_frame.h"
#ifdef FIRST_PAINT_POMURAN
#include "gui/app/program.h"
#include "gui/prediction/prediction_window.h"
#endif

namespace {

long long nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

long long cpuUs()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000000LL + usage.ru_utime.tv_usec +
           usage.ru_stime.tv_usec;
}

bool inside(const QWidget* widget, const auto& test)
{
    for (; widget; widget = widget->parentWidget())
        if (test(widget)) return true;
    return false;
}

// Watches every paint. A paint's pixels reach the window when the paint pass ends, so the time
// is taken by a zero timer, which runs after the pass.
class FirstPaintWatch : public QObject {
public:
    explicit FirstPaintWatch(bool waitForPrediction) : m_waitForPrediction(waitForPrediction) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Paint || !watched->isWidgetType()) return false;
        const auto* widget = static_cast<QWidget*>(watched);
        if (!m_mainPainted && qobject_cast<QMainWindow*>(widget->window())) {
            m_mainPainted = true;
            QTimer::singleShot(0, [this] { report("main_window_painted"); });
        }
#ifdef FIRST_PAINT_POMURAN
        if (m_waitForPrediction && !m_predictionPainted && inside(widget, [](const QWidget* w) {
                return qobject_cast<const PredictionWindow*>(w);
            })) {
            m_predictionPainted = true;
            QTimer::singleShot(0, [this] { report("prediction_painted"); });
        }
#endif
        return false;
    }

private:
    void report(const char* what)
    {
        std::printf("%s %lld %lld\n", what, nowNs(), cpuUs());
        std::fflush(stdout);
        if (++m_reports == (m_waitForPrediction ? 2 : 1)) QCoreApplication::exit(0);
    }

    bool m_waitForPrediction;
    bool m_mainPainted = false;
    bool m_predictionPainted = false;
    int m_reports = 0;
};

[[maybe_unused]] int runBaseline(QApplication& app, bool withMenu)
{
    QMainWindow window;
    if (withMenu) {
        for (const char* caption : {"終了(&X)", "一発ボボーン予想(&D)"})
            window.menuBar()->addAction(QString::fromUtf8(caption));
        for (const char* caption :
             {"データ分析(&S)", "データ管理(&M)", "ウィンドウ(&W)", "ヘルプ(&H)"})
            window.menuBar()->addMenu(QString::fromUtf8(caption))->addAction(QStringLiteral("…"));
        window.setCentralWidget(new QLabel(QStringLiteral("ポムランLite")));
    }
    window.resize(twipsToPixels(kClientWidthTwips), twipsToPixels(kClientHeightTwips));
    window.show();
    window.activateWindow();
    return app.exec();
}

}  // namespace

int main(int argc, char* argv[])
{
    const char* program = argc > 1 ? argv[1] : "";
#ifdef FIRST_PAINT_POMURAN
    if (std::strcmp(program, "pomuran") != 0) {
        std::fprintf(stderr, "usage: %s pomuran\n", argv[0]);
        return 2;
    }
    const bool pomuran = true;
#else
    const bool pomuran = false;
    const bool menu = std::strcmp(program, "menu") == 0;
    if (!menu && std::strcmp(program, "empty") != 0) {
        std::fprintf(stderr, "usage: %s empty|menu\n", argv[0]);
        return 2;
    }
#endif
    QApplication app(argc, argv);
    FirstPaintWatch watch(pomuran);
    app.installEventFilter(&watch);
    // A start that never paints (no display, a failed database) ends rather than hangs.
    QTimer::singleShot(20000, [] { QCoreApplication::exit(3); });
#ifdef FIRST_PAINT_POMURAN
    return runProgram(app, currentDataLocations());
#else
    return runBaseline(app, menu);
#endif
}
