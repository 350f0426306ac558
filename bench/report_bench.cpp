// Saving a window's report: PDF and Excel workbook of 出現間隔分析 on the real history and of
// 分割10データ分析 at 32,767 draws (1.1 million cells). Counters: pages, file size, and the
// memory the save takes above the built grid (the open window). Runs on Qt's offscreen platform.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QTemporaryDir>

#include <filesystem>
#include <fstream>
#include <string>

#include "bench_support.h"
#include "core/analyses/analysis_catalog.h"
#include "core/draws/draw_tables.h"
#include "core/grid/xlsx_export.h"
#include "gui/report/grid_font.h"
#include "gui/report/grid_report.h"

namespace {

enum Format { Pdf, Xlsx };

// kB from a line of /proc/self/status ("VmHWM:   1234 kB").
long statusKb(const char* key)
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind(key, 0) == 0) return std::stol(line.substr(std::string(key).size()));
    return 0;
}

// Starts a new peak: the kernel resets VmHWM to the current resident size.
void resetPeakMemory()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

WindowReport reportOf(const char* window, int draws)
{
    static const DrawHistory real = realHistory();
    static const DrawHistory generated = generatedHistory(32767);
    const DrawHistory& history = draws == 0 ? real : generated;
    const AnalysisDescriptor* analysis = findAnalysis(window);
    WindowReport report;
    report.windowName = window;
    report.caption = analysis->caption;
    report.drawRange = drawRangeText(history);
    report.sections.push_back({"", analysis->build(history, LoadDrawTables(history))});
    return report;
}

void BM_SaveReport(benchmark::State& state, const char* window, int draws, Format format)
{
    const WindowReport report = reportOf(window, draws);
    if (report.sections.front().grid.rowCount() < 3) {
        state.SkipWithError("no history (the shared draws are absent)");
        return;
    }
    QTemporaryDir dir;
    const std::string file = (dir.path() + (format == Pdf ? "/r.pdf" : "/r.xlsx")).toStdString();
    double peakAboveMb = 0;
    for (auto _ : state) {
        const long before = statusKb("VmRSS:");
        resetPeakMemory();
        const Status saved = format == Pdf ? saveReportPdf(report, file)
                                           : saveXlsx(report.sections.front().grid, window, file);
        if (!saved) {
            state.SkipWithError(saved.error().c_str());
            return;
        }
        peakAboveMb = std::max(peakAboveMb, (statusKb("VmHWM:") - before) / 1024.0);
    }
    state.counters["cells"] = static_cast<double>(report.sections.front().grid.rowCount()) *
                              report.sections.front().grid.columnCount();
    state.counters["file_MB"] = static_cast<double>(std::filesystem::file_size(file)) / 1e6;
    state.counters["peak_MB_above_grid"] = peakAboveMb;
    if (format == Pdf) state.counters["pages"] = pdfPageLayout(report).pageCount();
}

BENCHMARK_CAPTURE(BM_SaveReport, interval_pdf_real, "出現間隔分析", 0, Pdf)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SaveReport, interval_xlsx_real, "出現間隔分析", 0, Xlsx)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SaveReport, division10_pdf_32767, "分割10データ分析", 32767, Pdf)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK_CAPTURE(BM_SaveReport, division10_xlsx_32767, "分割10データ分析", 32767, Xlsx)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    installGridFontSubstitution();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
