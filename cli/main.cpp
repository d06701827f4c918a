#include <cstdio>
#include <string>
#include <vector>

#include "cli/run.h"

#ifdef _WIN32
#include <windows.h>
#include <shellapi.h>

#include <memory>

#include "cycle/win/wide_path.h"
#include "cycle/win/windows_file_system.h"

namespace {

struct FreeLocal {
    void operator()(LPWSTR* memory) const { LocalFree(memory); }
};

// The ANSI arguments cannot hold every folder name; the file system takes UTF-8 paths.
std::vector<std::string> Arguments(int, char**) {
    int count = 0;
    const std::unique_ptr<LPWSTR, FreeLocal> wide(CommandLineToArgvW(GetCommandLineW(), &count));
    std::vector<std::string> arguments;
    for (int i = 1; wide && i < count; ++i) arguments.push_back(rotaplex::Utf8(wide.get()[i]));
    return arguments;
}

rotaplex::FileSystem& Files() { return rotaplex::WindowsFileSystem(); }

}  // namespace
#else
#include "cycle/posix/posix_file_system.h"

namespace {

std::vector<std::string> Arguments(int argc, char** argv) { return {argv + 1, argv + argc}; }

rotaplex::FileSystem& Files() { return rotaplex::posix::PosixFileSystem(); }

}  // namespace
#endif

int main(int argc, char** argv) {
    return rotaplex::cli::RunCli(Arguments(argc, argv), Files(), stdin, stdout, stderr);
}
