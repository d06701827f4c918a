#include <iostream>

#include "cli/game_files.h"
#include "cli/run.h"

int main(int argc, char** argv) {
    const int status =
        rotaplex::cli::RunCli(rotaplex::cli::CommandLineArguments(argc, argv), std::cout, std::cerr);
    std::cout.flush();
    return status;
}
