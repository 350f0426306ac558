// The reload after an import, an update or the entry window: reading the history again,
// deriving the tables, refreshing the prediction window and rebuilding three open analysis
// windows, on the database the build made (the real history). Runs on Qt's offscreen platform.
#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "bench_support.h"
#include "gui/app/main_frame.h"
#include "gui/report/grid_font.h"
#include "gui/session/draw_session.h"

namespace {

void BM_ReloadWithPredictionAndThreeAnalyses(benchmark::State& state)
{
    const QString folder = QFileInfo(QString::fromStdString(shippedDatabase())).absolutePath();
    MainFrm frame(folder);
    QString error;
    if (!frame.load(&error)) {
        state.SkipWithError(error.toStdString().c_str());
        return;
    }
    frame.show();
    frame.findChild<QAction*>(QStringLiteral("mnuYoso"))->trigger();
    for (QAction* action : frame.findChildren<QAction*>())
        for (const char* name : {"出現間隔分析", "出現回数分析", "バラツキ分析"})
            if (action->data().toString() == QString::fromUtf8(name)) action->trigger();
    for (auto _ : state) {
        if (!frame.session().reload(&error)) {
            state.SkipWithError(error.toStdString().c_str());
            break;
        }
        state.counters["draws"] = static_cast<double>(frame.history().size());
    }
}

}  // namespace

BENCHMARK(BM_ReloadWithPredictionAndThreeAnalyses)->Unit(benchmark::kMillisecond);
