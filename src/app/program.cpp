#include "app/program.h"

#include <QApplication>
#include <QIcon>

#include "app/main_frame.h"
#include "app/version_window.h"
#include "ui/grid_font.h"

int runProgram(QApplication& app)
{
    installGridFontSubstitution();
    installVersionFontSubstitution();
    // Every window, the child windows' title bars included, shows the program's picture.
    app.setWindowIcon(QIcon(versionPicture(64)));

    MainFrm mainFrm;
    if (!mainFrm.start()) return 1;
    mainFrm.show();
    // Becoming active opens the prediction window; ask for it rather than count on a window
    // manager to give it.
    mainFrm.activateWindow();
    return app.exec();
}
