#pragma once

#include <cstdint>
#include <string_view>

namespace rotaplex {

// What was read of a file, to tell before a save whether another program changed it since.
// WriteTime is the platform's own clock value: it is only ever compared.
struct FileStamp {
    bool Exists = false;
    uint64_t Size = 0;
    uint64_t WriteTime = 0;
    uint64_t Hash = 0;  // HashBytes of the content

    bool operator==(const FileStamp&) const = default;
};

// 64-bit FNV-1a: cheap, and plenty to tell two versions of one small text file apart.
constexpr uint64_t HashBytes(std::string_view bytes) {
    uint64_t hash = 0xcbf29ce484222325u;
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001b3u;
    }
    return hash;
}

}  // namespace rotaplex
