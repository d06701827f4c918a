#pragma once

#include <charconv>
#include <concepts>
#include <cstdio>
#include <string>
#include <string_view>

namespace rotaplex::cli {

// Where the program writes its text: gathered in blocks and passed on to a file (standard output
// or error). Not iostreams: their locale tables would make the Windows program larger than the
// editor.
class Output {
public:
    explicit Output(std::FILE* file) : file_(file) {}
    Output(const Output&) = delete;
    Output& operator=(const Output&) = delete;
    ~Output() { Flush(); }

    Output& operator<<(std::string_view text) {
        text_.append(text);
        if (text_.size() >= kBlock) Flush();
        return *this;
    }
    Output& operator<<(char c) { return *this << std::string_view(&c, 1); }
    template <std::integral T>
        requires(!std::same_as<T, bool> && !std::same_as<T, char>)
    Output& operator<<(T number) {
        char digits[24];
        const std::to_chars_result written = std::to_chars(digits, digits + sizeof digits, number);
        return *this << std::string_view(digits, static_cast<std::size_t>(written.ptr - digits));
    }

    // Hands what is gathered to the file.
    void Flush() {
        if (!text_.empty()) std::fwrite(text_.data(), 1, text_.size(), file_);
        std::fflush(file_);
        text_.clear();
    }

private:
    static constexpr std::size_t kBlock = 64 << 10;
    std::FILE* file_;
    std::string text_;
};

}  // namespace rotaplex::cli
