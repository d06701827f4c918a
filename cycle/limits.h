#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>

namespace rotaplex {

// Counts and indexes are 16-bit in the file formats' world: no table holds more than this.
inline constexpr int kMaxTableSize = std::numeric_limits<int16_t>::max();

// A rotation entry's text, and the scenario key cut from it, hold at most this many characters.
inline constexpr std::size_t kMaxEntryTextLength = 99;

}  // namespace rotaplex
