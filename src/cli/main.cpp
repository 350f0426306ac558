// Entry point of pomuran-cli.
#include <iostream>

#include "cli/cli.h"

int main(int argc, char** argv)
{
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
