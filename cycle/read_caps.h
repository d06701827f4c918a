#pragma once

#include <cstdint>

namespace rotaplex {

// The most a read takes of each kind of file: far beyond any real one (a rotation of 32767
// entries is about 3 MB), small enough that a huge or endless file never exhausts memory.
inline constexpr std::uint64_t kMaxMissionFileBytes = 32u << 20;
inline constexpr std::uint64_t kMaxRotationFileBytes = 16u << 20;

}  // namespace rotaplex
