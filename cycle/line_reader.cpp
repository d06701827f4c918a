#include "cycle/line_reader.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace rotaplex {

namespace {

// Every x86-64 processor has SSE2: 16 bytes compared at once. (Windows' C library has no fast
// memchr to hand this to.)
#if defined(__SSE2__)
uint32_t Matches16(const char* bytes, char c) {
    const __m128i loaded = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes));
    return static_cast<uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(loaded, _mm_set1_epi8(c))));
}
#else
uint32_t Matches16(const char* bytes, char c) {
    uint32_t mask = 0;
    for (int i = 0; i < 16; ++i) mask |= uint32_t{bytes[i] == c} << i;
    return mask;
}
#endif

// Bit i set where block[i] is a CR; the block holds 64 readable bytes.
uint64_t CrMask(const char* block) {
    uint64_t mask = 0;
    for (int part = 0; part < 4; ++part) mask |= uint64_t{Matches16(block + 16 * part, '\r')} << (16 * part);
    return mask;
}

}  // namespace

bool LineReader::NextAfterSearch(std::string_view& line) {
    if (AtEnd()) return false;
    while (crs_ == 0) {
        if (scanned_ >= text_.size()) {
            TakeLineEndingAt(text_.size(), line);
            return true;
        }
        const std::size_t left = text_.size() - scanned_;
        if (left >= kBlock) {
            crs_ = CrMask(text_.data() + scanned_);
        } else {
            // The text's last bytes, padded with bytes that are not CRs.
            char tail[kBlock] = {};
            std::memcpy(tail, text_.data() + scanned_, left);
            crs_ = CrMask(tail);
        }
        scanned_ += kBlock;
    }
    return Next(line);
}

std::size_t FindByte(std::string_view text, char c) {
    if (text.size() < 16) {
        const auto found = std::find(text.begin(), text.end(), c);
        return found == text.end() ? std::string_view::npos : static_cast<std::size_t>(found - text.begin());
    }
    // Whole blocks, then the last 16 bytes, which may overlap the block before.
    for (std::size_t pos = 0;; pos += 16) {
        const std::size_t at = std::min(pos, text.size() - 16);
        if (const uint32_t matches = Matches16(text.data() + at, c)) {
            return at + static_cast<std::size_t>(std::countr_zero(matches));
        }
        if (at == text.size() - 16) return std::string_view::npos;
    }
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
