// The main() of every window benchmark: a headless Qt application with the grid font, then
// Google Benchmark.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include "gui/report/grid_font.h"

namespace {

QtMessageHandler previousHandler = nullptr;

// The offscreen platform warns on every shown window that it cannot resize it to fit.
void quietOffscreenWarnings(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (text.contains(QLatin1String("propagateSizeHints"))) return;
    if (previousHandler) previousHandler(type, context, text);
}

}  // namespace

int main(int argc, char** argv)
{
    // Headless unless a display is asked for explicitly.
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
