#pragma once

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "cli/run.h"
#include "cycle/posix/posix_file_system.h"

namespace rotaplex::test {

// One run of the program in this process: its exit status and what it wrote.
struct CliRun {
    int Status = 0;
    std::string Out;
    std::string Err;
};

// input: what the program finds on standard input.
// Standard input holding text.
inline std::unique_ptr<std::FILE, int (*)(std::FILE*)> InputFile(const std::string& text) {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::tmpfile(), std::fclose);
    std::fwrite(text.data(), 1, text.size(), file.get());
    std::rewind(file.get());
    return file;
}

// An output gathered in memory.
class MemoryOutput {
public:
    MemoryOutput() : file_(open_memstream(&text_, &size_)) {}
    ~MemoryOutput() {
        std::fclose(file_);
        std::free(text_);
    }
    MemoryOutput(const MemoryOutput&) = delete;
    MemoryOutput& operator=(const MemoryOutput&) = delete;
    std::FILE* File() const { return file_; }
    std::string Text() {
        std::fflush(file_);
        return {text_, size_};
    }

private:
    char* text_ = nullptr;
    std::size_t size_ = 0;
    std::FILE* file_;
};

inline CliRun RunCli(const std::vector<std::string>& arguments, const std::string& input = "",
                     FileSystem& files = posix::PosixFileSystem()) {
    const auto in = InputFile(input);
    MemoryOutput out, err;
    const int status = cli::RunCli(arguments, files, in.get(), out.File(), err.File());
    return {status, out.Text(), err.Text()};
}

}  // namespace rotaplex::test
