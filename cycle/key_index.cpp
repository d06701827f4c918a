#include "cycle/key_index.h"

#include <algorithm>
#include <array>

#include "cycle/limits.h"
#include "cycle/portable.h"
#include "cycle/words.h"

namespace rotaplex {

namespace {

using NameBuffer = std::array<char, kMaxEntryTextLength>;
constexpr std::string_view kSeparator = "::";

// The pieces of a name (together at most an entry's length) put together in buffer.
std::string_view Joined(std::initializer_list<std::string_view> pieces, NameBuffer& buffer) {
    auto out = buffer.begin();
    for (const std::string_view piece : pieces) out = std::copy(piece.begin(), piece.end(), out);
    return {buffer.data(), static_cast<std::size_t>(out - buffer.begin())};
}

// Of the name lower-cased, taken a word at a time: no lower-cased copy is made.
uint32_t Hash(std::string_view name) {
    constexpr uint64_t kMultiplier = 0x9E3779B97F4A7C15u;
    uint64_t hash = name.size() * kMultiplier;
    ForEachWord(name.data(), name.size(), [&hash](uint64_t word) {
        hash = (hash ^ LowerCaseWord(word)) * kMultiplier;
        hash ^= hash >> 32;
    });
    return static_cast<uint32_t>(hash);
}

}  // namespace

void KeyIndex::Insert(int16_t index, const std::vector<ScenarioInfo>& table) {
    const ScenarioInfo& record = table[static_cast<std::size_t>(index)];
    const bool withFile = naming_ == Naming::FileAndKey;
    const std::size_t length =
        record.ScenarioKey.size() + (withFile ? record.MissionFile.size() + kSeparator.size() : 0);
    if (length > kMaxEntryTextLength) return;
    if (2 * (used_ + 1) > slots_.size()) Grow();
    NameBuffer buffer;
    const std::string_view name =
        withFile ? Joined({record.MissionFile, kSeparator, record.ScenarioKey}, buffer) : record.ScenarioKey;
    const uint32_t hash = Hash(name);
    Slot& slot = slots_[Probe(name, hash, table)];
    if (slot.index == 0) ++used_;
    slot = {hash, index};
}

KeyIndex::HashedName KeyIndex::Hashed(std::string_view name) {
    return {name, Hash(name)};
}

int16_t KeyIndex::Find(const HashedName& name, const std::vector<ScenarioInfo>& table) const {
    if (slots_.empty() || name.text.size() > kMaxEntryTextLength) return 0;
    return slots_[Probe(name.text, name.hash, table)].index;
}

void KeyIndex::PrefetchSlot(const HashedName& name) const {
    if (slots_.empty()) return;
    Prefetch(&slots_[name.hash & (slots_.size() - 1)]);
}

int16_t KeyIndex::Guess(const HashedName& name) const {
    if (slots_.empty()) return 0;
    const Slot& slot = slots_[name.hash & (slots_.size() - 1)];
    return slot.hash == name.hash ? slot.index : 0;
}

bool KeyIndex::Names(const ScenarioInfo& record, std::string_view name) const {
    if (naming_ == Naming::Key) return EqualsIgnoringCase(record.ScenarioKey, name);
    const std::size_t fileLength = record.MissionFile.size();
    return name.size() == fileLength + kSeparator.size() + record.ScenarioKey.size() &&
           EqualsIgnoringCase(record.MissionFile, name.substr(0, fileLength)) &&
           name.substr(fileLength, kSeparator.size()) == kSeparator &&
           EqualsIgnoringCase(record.ScenarioKey, name.substr(fileLength + kSeparator.size()));
}

std::size_t KeyIndex::Probe(std::string_view name, uint32_t hash, const std::vector<ScenarioInfo>& table) const {
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
        const Slot& slot = slots_[at];
        if (slot.index == 0) return at;
        if (slot.hash == hash && Names(table[static_cast<std::size_t>(slot.index)], name)) return at;
    }
}

void KeyIndex::Grow() {
    std::vector<Slot> old(std::max<std::size_t>(64, 2 * slots_.size()));
    old.swap(slots_);
    const std::size_t mask = slots_.size() - 1;
    // The names are all different already: each needs only a free slot.
    for (const Slot& slot : old) {
        if (slot.index == 0) continue;
        std::size_t at = slot.hash & mask;
        while (slots_[at].index != 0) at = (at + 1) & mask;
        slots_[at] = slot;
    }
}

}  // namespace rotaplex
