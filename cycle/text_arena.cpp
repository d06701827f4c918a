#include "cycle/text_arena.h"

#include <cstring>
#include <utility>

namespace rotaplex {

TextArena::TextArena(TextArena&& other) noexcept
    : blocks_(std::move(other.blocks_)),
      next_(std::exchange(other.next_, nullptr)),
      left_(std::exchange(other.left_, 0)) {}

TextArena& TextArena::operator=(TextArena&& other) noexcept {
    blocks_ = std::move(other.blocks_);
    next_ = std::exchange(other.next_, nullptr);
    left_ = std::exchange(other.left_, 0);
    return *this;
}

std::string_view TextArena::Keep(std::string_view text) {
    if (text.empty()) return {};
    if (text.size() > left_) {
        // A long text gets a block of its own, and the free part of the last one stays in use.
        if (text.size() > kBlockSize / 4) {
            auto& own = blocks_.emplace_back(std::make_unique_for_overwrite<char[]>(text.size()));
            std::memcpy(own.get(), text.data(), text.size());
            return {own.get(), text.size()};
        }
        next_ = blocks_.emplace_back(std::make_unique_for_overwrite<char[]>(kBlockSize)).get();
        left_ = kBlockSize;
    }
    char* kept = next_;
    std::memcpy(kept, text.data(), text.size());
    next_ += text.size();
    left_ -= text.size();
    return {kept, text.size()};
}

}  // namespace rotaplex
