// The program's start-up, shared by main() and the first-paint measurement: the font set-up, the
// window icon, the database in use, the main window and the event loop.
#pragma once

#include "core/draws/data_locations.h"

class QApplication;
class QCoreApplication;

// Qt's own texts (the standard buttons, the file, print, page-setup and colour dialogs) in
// Japanese, whatever the desktop's language, as every other text of the program is. Loads
// qtbase_ja.qm from the translations folder of the Qt in use; false when it is not installed (the
// dialogs then stay in English and nothing else changes).
bool installQtTranslations(QCoreApplication& app);

// Runs the program in app until its main window closes; 1 when the draw database cannot be made
// or read.
int runProgram(QApplication& app, const DataLocations& locations);
