// pomuran: the program. Starts the main window on the draw database in use: the one beside the
// executable, or for an installed program the one in the player's data folder (made empty at
// the first start). A database that cannot be made or opened is reported and ends the program
// with a failure status.
#include <QApplication>

#include <cstring>
#include <iostream>

#include "core/base/program_version.h"
#include "core/draws/data_locations.h"
#include "core/draws/version_report.h"
#include "gui/app/program.h"

int main(int argc, char* argv[])
{
    // QStandardPaths builds the player's folders from this name, as playerDataFolder() does.
    QCoreApplication::setApplicationName(QStringLiteral("pomuran"));
    QCoreApplication::setApplicationVersion(QString::fromUtf8(programVersion()));
    const DataLocations locations = currentDataLocations();
    // Answered before any window exists, so they work without a display. Other arguments are
    // left to Qt (-platform, -style) or ignored.
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--help") || !std::strcmp(argv[i], "-h")) {
            std::cout << programHelp(locations);
            return 0;
        }
        if (!std::strcmp(argv[i], "--version") || !std::strcmp(argv[i], "-v")) {
            std::cout << versionReport("pomuran", locations);
            return 0;
        }
    }

    QApplication app(argc, argv);
    return runProgram(app, locations);
}
