#include <iostream>
#include <string>
#include <vector>

#include "cli/run.h"

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const int status = rotaplex::cli::RunCli(arguments, std::cout, std::cerr);
    std::cout.flush();
    return status;
}
