#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace rotaplex {

// Splits text into lines the way the game's files are read: CR LF or a lone CR ends a line,
// a lone LF stays inside the line, and a final line end does not make an extra empty line.
class LineReader {
public:
    explicit LineReader(std::string_view text) : text_(text) {}

    // Stores the next line (without its terminator) and returns true, or returns false at the end.
    bool Next(std::string_view& line);
    bool AtEnd() const { return pos_ >= text_.size(); }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

}  // namespace rotaplex

namespace rotaplex {

// The text read line by line and each line followed by CR LF, as a scenario text is shown.
std::string WithCrLfLineEnds(std::string_view text);

}  // namespace rotaplex
