#include <cstdio>
#include <ostream>
#include <streambuf>

#include "cli/game_files.h"
#include "cli/run.h"

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
    const int status = rotaplex::cli::RunCli(rotaplex::cli::CommandLineArguments(argc, argv), out, error);
    out.flush();
    return status;
}
