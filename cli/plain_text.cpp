#include "cli/plain_text.h"

namespace rotaplex::cli {

std::string Escaped(std::string_view text) {
    constexpr char kHex[] = "0123456789abcdef";
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        const auto code = static_cast<unsigned char>(c);
        if (code >= 0x20 && code != 0x7F) {
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
