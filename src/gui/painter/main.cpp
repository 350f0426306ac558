// Entry point of pomuran-cli-painter: the commands of pomuran-cli linked with the Qt painter,
// which pomuran-cli hands over to for PDF and PNG files.
#include <QGuiApplication>

#include <iostream>
#include <memory>

#include "cli/cli.h"
#include "cli/show_file.h"
#include "core/base/file_replacement.h"
#include "gui/report/grid_font.h"
#include "gui/report/grid_report.h"

namespace {

// Ends before main returns: Qt must not be torn down among the static destructors.
std::unique_ptr<QGuiApplication> qtApplication;

// PDF and PNG are painted with Qt; its application starts on the offscreen platform only when
// such a file is asked for, so that the other commands run without a display or Qt at all.
Status writePaintedFile(const WindowReport& report, ShowFormat format,
                        const std::string& destination)
{
    static int argc = 1;
    static char name[] = "pomuran-cli";
    static char* argv[] = {name, nullptr};
    if (!qtApplication) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qtApplication = std::make_unique<QGuiApplication>(argc, argv);
        installGridFontSubstitution();
    }
    return format == ShowFormat::Pdf ? saveReportPdf(report, destination)
                                     : saveReportPng(report, destination);
}

}  // namespace

int main(int argc, char** argv)
{
    // Ctrl-C during an import or an update leaves no half-written file beside the database.
    removeTemporaryFilesOnSignal();
    setPaintedFileWriter(writePaintedFile);
    // Large outputs (a million-cell grid) go out in big chunks, not through C stdio.
    std::ios::sync_with_stdio(false);
    int status = runCli(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
    // A full disk or a closed pipe must not end in success.
    if (!std::cout.flush()) {
        std::cerr << "pomuran-cli: the output could not be written\n";
        if (status == 0) status = 1;
    }
    qtApplication.reset();
    return status;
}
