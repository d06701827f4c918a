#pragma once

// Text handled eight bytes at a time in a 64-bit word, byte i in bits 8i to 8i + 7: hashing and
// comparing keys without regard to case costs a few instructions per word instead of per byte.
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace rotaplex {

// The count (at most 8) bytes from bytes, padded with zero bytes.
inline uint64_t LoadWord(const char* bytes, std::size_t count) {
    uint64_t word = 0;
    if (count == sizeof word) {
        std::memcpy(&word, bytes, sizeof word);
    } else {
        for (std::size_t i = 0; i < count; ++i) word |= uint64_t{static_cast<unsigned char>(bytes[i])} << (8 * i);
    }
    return word;
}

// The word with every byte from A to Z lower-cased; the others, bytes from 0x80 included, stay.
constexpr uint64_t LowerCaseWord(uint64_t word) {
    constexpr uint64_t kOnes = 0x0101010101010101u;
    constexpr uint64_t kHighBits = 0x8080808080808080u;
    // Bytes below 0x80 plus an offset set their high bit exactly when they reach a bound.
    const uint64_t low = word & ~kHighBits;
    const uint64_t fromA = low + (0x80 - 'A') * kOnes;
    const uint64_t pastZ = low + (0x80 - 'Z' - 1) * kOnes;
    const uint64_t upper = (fromA ^ pastZ) & ~word & kHighBits;
    return word | (upper >> 2);  // 0x80 >> 2 is 0x20, the case bit
}

// Hands f the words of a text in order: whole words from the start, then the word of its last
// eight bytes, which may overlap the one before (a text shorter than eight bytes is one word,
// padded). Two texts of one size are equal exactly when all their words are.
template <typename F>
void ForEachWord(const char* text, std::size_t size, F f) {
    if (size == 0) return;
    if (size < 8) {
        f(LoadWord(text, size));
        return;
    }
    for (std::size_t at = 0; at + 8 < size; at += 8) f(LoadWord(text + at, 8));
    f(LoadWord(text + size - 8, 8));
}

// Equal byte for byte once A to Z are lower-cased on both sides.
inline bool EqualWordsIgnoringCase(const char* a, const char* b, std::size_t size) {
    // Most words match as they stand: the case is folded only for those that do not.
    const auto same = [](uint64_t x, uint64_t y) { return x == y || LowerCaseWord(x) == LowerCaseWord(y); };
    if (size < 8) return same(LoadWord(a, size), LoadWord(b, size));
    for (std::size_t at = 0; at + 8 < size; at += 8) {
        if (!same(LoadWord(a + at, 8), LoadWord(b + at, 8))) return false;
    }
    return same(LoadWord(a + size - 8, 8), LoadWord(b + size - 8, 8));
}

}  // namespace rotaplex
