#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace rotaplex {

// Splits text into lines the way the game's files are read: CR LF or a lone CR ends a line,
// a lone LF stays inside the line, and a final line end does not make an extra empty line.
class LineReader {
public:
    explicit LineReader(std::string_view text) : text_(text) {}

    // Stores the next line (without its terminator) and returns true, or returns false at the end.
    bool Next(std::string_view& line) {
        while (crs_ == 0) {
            if (scanned_ >= text_.size()) return LastLine(line);
            crs_ = CrsOfBlock(scanned_);
            scanned_ += kBlock;
        }
        const std::size_t cr = scanned_ - kBlock + static_cast<std::size_t>(std::countr_zero(crs_));
        crs_ &= crs_ - 1;
        TakeLineEndingAt(cr, line);
        return true;
    }
    bool AtEnd() const { return pos_ >= text_.size(); }

private:
    // The CRs are searched for a block at a time and handed out from a bit mask, one line per
    // bit: a line costs a few instructions however long it is, a block of 64 bytes a few more.
    static constexpr std::size_t kBlock = 64;

    // Bit i set where text_[at + i] is a CR, for the 64 bytes from at (fewer at the end).
    uint64_t CrsOfBlock(std::size_t at) const;
    // Next, when no CR is left: the text after the last one, if any.
    bool LastLine(std::string_view& line) {
        if (AtEnd()) return false;
        TakeLineEndingAt(text_.size(), line);
        return true;
    }

    void TakeLineEndingAt(std::size_t end, std::string_view& line) {
        line = std::string_view(text_.data() + pos_, end - pos_);
        pos_ = end + 1;
        if (pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
    }

    std::string_view text_;
    std::size_t pos_ = 0;      // where the next line starts
    std::size_t scanned_ = 0;  // end of the last block searched
    uint64_t crs_ = 0;         // bit i: a CR at scanned_ - kBlock + i not yet handed out
};

// The position of the first c in text, or npos: 16 bytes compared at a time.
std::size_t FindByte(std::string_view text, char c);

// How many times c stands in text, counted 16 bytes at a time.
std::size_t CountByte(std::string_view text, char c);

// The text read line by line and each line followed by CR LF, as a scenario text is shown.
std::string WithCrLfLineEnds(std::string_view text);

}  // namespace rotaplex
