#include <cstdio>
#include <ostream>
#include <streambuf>
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

namespace {

// The output streams over the C library's stdout and stderr, as std::cout's are. Without
// <iostream> the program takes neither the standard stream objects nor the file streams under
// them along, a ninth of its size.
class StdioBuffer final : public std::streambuf {
public:
    explicit StdioBuffer(std::FILE* file) : file_(file) {}

protected:
    int_type overflow(int_type c) override {
        if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
        return std::fputc(c, file_);
    }
    std::streamsize xsputn(const char* text, std::streamsize count) override {
        return static_cast<std::streamsize>(std::fwrite(text, 1, static_cast<std::size_t>(count), file_));
    }
    int sync() override { return std::fflush(file_); }

private:
    std::FILE* file_;
};

}  // namespace

int main(int argc, char** argv) {
    StdioBuffer outBuffer(stdout);
    StdioBuffer errorBuffer(stderr);
    std::ostream out(&outBuffer);
    std::ostream error(&errorBuffer);
    // As std::cerr: what was printed before an error shows before it.
    error.tie(&out);
    const int status = rotaplex::cli::RunCli(Arguments(argc, argv), Files(), out, error);
    out.flush();
    return status;
}
