#include "cycle/key_index.h"

#include <algorithm>
#include <array>
#include <functional>

#include "cycle/limits.h"

namespace rotaplex {

namespace {

using KeyBuffer = std::array<char, kMaxEntryTextLength>;

// key (at most an entry's length) lower-cased into buffer.
std::string_view Lowered(std::string_view key, KeyBuffer& buffer) {
    std::transform(key.begin(), key.end(), buffer.begin(), LowerChar);
    return {buffer.data(), key.size()};
}

uint32_t Hash(std::string_view lowerKey) {
    return static_cast<uint32_t>(std::hash<std::string_view>{}(lowerKey));
}

}  // namespace

void KeyIndex::Insert(int16_t index, const std::vector<ScenarioInfo>& table) {
    const std::string& key = table[static_cast<std::size_t>(index)].ScenarioKey;
    if (key.size() > kMaxEntryTextLength) return;
    if (2 * (used_ + 1) > slots_.size()) Grow();
    KeyBuffer buffer;
    const std::string_view lowerKey = Lowered(key, buffer);
    const uint32_t hash = Hash(lowerKey);
    Slot& slot = slots_[Probe(lowerKey, hash, table)];
    if (slot.index == 0) ++used_;
    slot = {hash, index};
}

int16_t KeyIndex::Find(std::string_view key, const std::vector<ScenarioInfo>& table) const {
    if (slots_.empty() || key.size() > kMaxEntryTextLength) return 0;
    KeyBuffer buffer;
    const std::string_view lowerKey = Lowered(key, buffer);
    return slots_[Probe(lowerKey, Hash(lowerKey), table)].index;
}

std::size_t KeyIndex::Probe(std::string_view lowerKey, uint32_t hash,
                            const std::vector<ScenarioInfo>& table) const {
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
        const Slot& slot = slots_[at];
        if (slot.index == 0) return at;
        if (slot.hash == hash &&
            EqualsIgnoringCase(table[static_cast<std::size_t>(slot.index)].ScenarioKey, lowerKey)) {
            return at;
        }
    }
}

void KeyIndex::Grow() {
    std::vector<Slot> old(std::max<std::size_t>(64, 2 * slots_.size()));
    old.swap(slots_);
    const std::size_t mask = slots_.size() - 1;
    // The keys are all different already: each needs only a free slot.
    for (const Slot& slot : old) {
        if (slot.index == 0) continue;
        std::size_t at = slot.hash & mask;
        while (slots_[at].index != 0) at = (at + 1) & mask;
        slots_[at] = slot;
    }
}

}  // namespace rotaplex
