#include "cycle/line_reader.h"

#include <algorithm>

namespace rotaplex {

bool LineReader::Next(std::string_view& line) {
    if (AtEnd()) return false;
    // A plain search rather than memchr: lines are short, and Windows' C library has no fast memchr.
    const auto cr = std::find(text_.begin() + static_cast<std::ptrdiff_t>(pos_), text_.end(), '\r');
    line = text_.substr(pos_, static_cast<std::size_t>(cr - text_.begin()) - pos_);
    pos_ += line.size() + 1;
    if (pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
    return true;
}

std::string WithCrLfLineEnds(std::string_view text) {
    std::string result;
    // Exact for CR LF text; only lone CRs grow it further.
    result.reserve(text.size() + 2);
    LineReader reader(text);
    std::string_view line;
    while (reader.Next(line)) {
        result += line;
        result += "\r\n";
    }
    return result;
}

}  // namespace rotaplex
