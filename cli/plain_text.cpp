#include "cli/plain_text.h"

#include <algorithm>

namespace rotaplex::cli {

namespace {

bool Plain(char c) {
    const auto code = static_cast<unsigned char>(c);
    return code >= 0x20 && code != 0x7F;
}

}  // namespace

std::string Escaped(std::string_view text) {
    // Nearly every text has nothing to escape: copied whole, not a character at a time.
    if (std::all_of(text.begin(), text.end(), Plain)) return std::string(text);
    constexpr char kHex[] = "0123456789abcdef";
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        const auto code = static_cast<unsigned char>(c);
        if (Plain(c)) {
            escaped += c;
        } else if (c == '\r') {
            escaped += "\\r";
        } else if (c == '\n') {
            escaped += "\\n";
        } else if (c == '\t') {
            escaped += "\\t";
        } else {
            escaped += {'\\', 'x', kHex[code >> 4], kHex[code & 0xF]};
        }
    }
    return escaped;
}

}  // namespace rotaplex::cli
