// The program's start-up, shared by main() and the first-paint measurement: the font set-up, the
// window icon, the database in use, the main window and the event loop.
#pragma once

#include "core/draws/data_locations.h"

class QApplication;

// Runs the program in app until its main window closes; 1 when the draw database cannot be made
// or read.
int runProgram(QApplication& app, const DataLocations& locations);
