#include "gui/app/program.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QTranslator>

#include <filesystem>

#include "core/base/player_folders.h"
#include "gui/app/main_frame.h"
#include "gui/app/version_window.h"
#include "gui/report/grid_font.h"

bool installQtTranslations(QCoreApplication& app)
{
    auto* translator = new QTranslator(&app);
    if (!translator->load(QStringLiteral("qtbase_ja"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

int runProgram(QApplication& app, const DataLocations& locations)
{
    // Before any window exists: a text Qt translates is looked up when the widget is made.
    installQtTranslations(app);
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.pomuranlite.Pomuran"));
    installGridFontSubstitution();
    installApplicationFont();
    installVersionFontSubstitution();
    // Every window, the child windows' title bars included, shows the program's picture.
    app.setWindowIcon(QIcon(versionPicture(64)));

    if (const Status prepared = prepareDatabase(locations); !prepared) {
        QMessageBox::critical(nullptr, kMessageTitle, QString::fromStdString(prepared.error()),
                              QMessageBox::Ok);
        return 1;
    }
    // No message here: a settings folder that cannot be made only means the options cannot be
    // kept, and exit says so when it tries to write them.
    static_cast<void>(prepareSettingsFolder(locations));

    MainFrmSetup setup;
    setup.programFolder =
        QString::fromStdString(std::filesystem::path(locations.database).parent_path().string());
    setup.settingsFile = locations.settingsFile;
    setup.windowStateFile =
        QString::fromStdString((playerConfigFolder() / kWindowStateFileName).string());
    MainFrm mainFrm(std::move(setup));
    if (!mainFrm.start()) return 1;
    mainFrm.show();
    // Becoming active opens the prediction window; ask for it rather than count on a window
    // manager to give it.
    mainFrm.activateWindow();
    return app.exec();
}
