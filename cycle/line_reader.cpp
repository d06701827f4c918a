#include "cycle/line_reader.h"

#include <algorithm>
#include <cstring>

#include "cycle/portable.h"

namespace rotaplex {

namespace {

// Every x86-64 processor has SSE2: 16 bytes compared at once. (Windows' C library has no fast
// memchr to hand this to.)
#if ROTAPLEX_SSE2
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
    return uint64_t{Matches16(block, '\r')} | uint64_t{Matches16(block + 16, '\r')} << 16 |
           uint64_t{Matches16(block + 32, '\r')} << 32 | uint64_t{Matches16(block + 48, '\r')} << 48;
}

}  // namespace

uint64_t LineReader::CrsOfBlock(std::size_t at) const {
    if (text_.size() - at >= kBlock) return CrMask(text_.data() + at);
    // The text's last bytes, padded with bytes that are not CRs.
    char tail[kBlock] = {};
    std::memcpy(tail, text_.data() + at, text_.size() - at);
    return CrMask(tail);
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

std::size_t CountByte(std::string_view text, char c) {
    std::size_t count = 0;
    std::size_t at = 0;
#if ROTAPLEX_SSE2
    const __m128i wanted = _mm_set1_epi8(c);
    while (text.size() - at >= 16) {
        // Each byte of tally counts the matches at its place in up to 255 blocks, then all are summed.
        __m128i tally = _mm_setzero_si128();
        for (int blocks = 0; blocks < 255 && text.size() - at >= 16; ++blocks, at += 16) {
            const __m128i loaded = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + at));
            tally = _mm_sub_epi8(tally, _mm_cmpeq_epi8(loaded, wanted));
        }
        const __m128i sums = _mm_sad_epu8(tally, _mm_setzero_si128());
        count += static_cast<std::size_t>(_mm_cvtsi128_si64(sums) + _mm_cvtsi128_si64(_mm_unpackhi_epi64(sums, sums)));
    }
#endif
    return count + static_cast<std::size_t>(std::count(text.begin() + static_cast<std::ptrdiff_t>(at), text.end(), c));
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
