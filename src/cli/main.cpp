// Entry point of pomuran-cli.
#include <iostream>

#include "cli/cli.h"
#include "draws/file_replacement.h"

int main(int argc, char** argv)
{
    // Ctrl-C during an import or an update leaves no half-written file beside the database.
    removeTemporaryFilesOnSignal();
    return runCli(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
