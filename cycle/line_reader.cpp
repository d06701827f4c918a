#include "cycle/line_reader.h"

namespace rotaplex {

bool LineReader::Next(std::string_view& line) {
    if (AtEnd()) return false;
    const std::size_t cr = text_.find('\r', pos_);
    if (cr == std::string_view::npos) {
        line = text_.substr(pos_);
        pos_ = text_.size();
        return true;
    }
    line = text_.substr(pos_, cr - pos_);
    pos_ = cr + 1;
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
