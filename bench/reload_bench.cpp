// The reload after an import, an update or the entry window: reading the history again,
// deriving the tables, refreshing the prediction window and rebuilding three open analysis
// windows, on the database the build made (the real history). Runs on Qt's offscreen platform.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "app/main_frame.h"
#include "bench_support.h"
#include "ui/grid_font.h"

namespace {

QtMessageHandler previousHandler = nullptr;

// The offscreen platform warns on every shown window that it cannot resize it to fit.
void quietOffscreenWarnings(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (text.contains(QLatin1String("propagateSizeHints"))) return;
    if (previousHandler) previousHandler(type, context, text);
}

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
    frame.openPrediction();
    for (const char* name : {"出現間隔分析", "出現回数分析", "バラツキ分析"})
        frame.openAnalysis(QString::fromUtf8(name));
    for (auto _ : state) {
        if (!frame.reloadHistory(&error)) {
            state.SkipWithError(error.toStdString().c_str());
            break;
        }
        state.counters["draws"] = static_cast<double>(frame.history().size());
    }
}

}  // namespace

BENCHMARK(BM_ReloadWithPredictionAndThreeAnalyses)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir runtime;
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR") && runtime.isValid()) {
        QFile::setPermissions(runtime.path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    }
    previousHandler = qInstallMessageHandler(quietOffscreenWarnings);
    QApplication app(argc, argv);
    installGridFontSubstitution();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
