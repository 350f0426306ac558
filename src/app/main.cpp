// pomuran: the program. Starts the main window on the draw database beside the executable; a
// database that cannot be opened is reported and ends the program with a failure status.
#include <QApplication>

#include "app/program.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    return runProgram(app);
}
