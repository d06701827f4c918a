#pragma once

#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

namespace rotaplex {

// Keeps texts for views that outlive what they were made from. The bytes go into large blocks,
// are never moved (moving the arena moves no block) and are freed together: a catalogue of
// 32767 scenarios keeps its texts in a few dozen allocations instead of four per scenario,
// which costs Windows' heap, and Wine's far more, a good part of start-up.
class TextArena {
public:
    TextArena() = default;
    TextArena(const TextArena&) = delete;
    TextArena& operator=(const TextArena&) = delete;
    TextArena(TextArena&& other) noexcept;
    TextArena& operator=(TextArena&& other) noexcept;

    // A copy of text that lasts as long as the arena.
    std::string_view Keep(std::string_view text);

private:
    static constexpr std::size_t kBlockSize = 64 * 1024;
    std::vector<std::unique_ptr<char[]>> blocks_;
    char* next_ = nullptr;  // the free part of the last block
    std::size_t left_ = 0;
};

}  // namespace rotaplex
