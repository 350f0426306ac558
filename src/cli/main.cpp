// Entry point of pomuran-cli.
#include <iostream>
#include <string_view>

#include <unistd.h>

#include "cli/cli.h"
#include "core/base/file_replacement.h"
#include "core/base/program_folder.h"

namespace {

// PDF and PNG are painted with Qt by pomuran-cli-painter, the same commands linked with Qt, so
// that every other command starts without loading Qt's libraries.
bool asksForPaintedFile(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view word = argv[i];
        if (word == "--format=pdf" || word == "--format=png") return true;
        if (word == "--format" && i + 1 < argc &&
            (std::string_view(argv[i + 1]) == "pdf" || std::string_view(argv[i + 1]) == "png"))
            return true;
    }
    return false;
}

// Runs the painter in this process's place: beside this program (the build folder, a portable
// copy) or in its libexec folder (installed). Returns only when neither can be run.
void runPainterInstead(char** argv)
{
    const std::string folder = programFolder();
    for (const std::string& painter :
         {folder + "/pomuran-cli-painter", folder + "/../libexec/pomuran/pomuran-cli-painter"})
        ::execv(painter.c_str(), argv);
}

}  // namespace

int main(int argc, char** argv)
{
    if (asksForPaintedFile(argc, argv)) runPainterInstead(argv);
    // Ctrl-C during an import or an update leaves no half-written file beside the database.
    removeTemporaryFilesOnSignal();
    // Large outputs (a million-cell grid) go out in big chunks, not through C stdio.
    std::ios::sync_with_stdio(false);
    int status = runCli(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
    // A full disk or a closed pipe must not end in success.
    if (!std::cout.flush()) {
        std::cerr << "pomuran-cli: the output could not be written\n";
        if (status == 0) status = 1;
    }
    return status;
}
