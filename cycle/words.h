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

// The word of text that starts at at, for at = 0, 8, 16 and so on below size. A text of eight
// bytes or more ends in the word of its last eight bytes, which may overlap the one before: two
// texts of one size are equal exactly when all their words are.
inline uint64_t WordAt(const char* text, std::size_t size, std::size_t at) {
    if (at + 8 <= size) return LoadWord(text + at, 8);
    if (size >= 8) return LoadWord(text + size - 8, 8);
    return LoadWord(text + at, size - at);
}

}  // namespace rotaplex
