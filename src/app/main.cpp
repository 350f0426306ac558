// pomuran: the program. Starts the main window on the draw database in use: the one beside the
// executable, or for an installed program the one in the player's data folder (made empty at
// the first start). A database that cannot be made or opened is reported and ends the program
// with a failure status.
#include <QApplication>
#include <QIcon>
#include <QMessageBox>

#include <cstring>
#include <filesystem>
#include <iostream>

#include "app/main_frame.h"
#include "app/version_window.h"
#include "draws/data_locations.h"
#include "draws/program_version.h"
#include "ui/grid_font.h"

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
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.pomuranlite.Pomuran"));
    installGridFontSubstitution();
    installVersionFontSubstitution();
    // Every window, the child windows' title bars included, shows the program's picture.
    app.setWindowIcon(QIcon(versionPicture(64)));

    if (const Status prepared = prepareDatabase(locations); !prepared) {
        QMessageBox::critical(nullptr, kMessageTitle, QString::fromStdString(prepared.error()),
                              QMessageBox::Ok);
        return 1;
    }
    // No message is defined for the settings file: a folder that cannot be made only means the
    // options are not kept at exit.
    prepareSettingsFolder(locations);

    MainFrm mainFrm(
        QString::fromStdString(std::filesystem::path(locations.database).parent_path().string()));
    mainFrm.setSettingsFile(locations.settingsFile);
    if (!mainFrm.start()) return 1;
    mainFrm.show();
    // Becoming active opens the prediction window; ask for it rather than count on a window
    // manager to give it.
    mainFrm.activateWindow();
    return app.exec();
}
