#include "cycle/key_index.h"

#include <algorithm>
#include <array>
#include <functional>

#include "cycle/limits.h"

namespace rotaplex {

namespace {

using NameBuffer = std::array<char, kMaxEntryTextLength>;
constexpr std::string_view kSeparator = "::";

// The pieces of a name (together at most an entry's length) lower-cased into buffer.
std::string_view Lowered(std::initializer_list<std::string_view> pieces, NameBuffer& buffer) {
    auto out = buffer.begin();
    for (const std::string_view piece : pieces) out = std::transform(piece.begin(), piece.end(), out, LowerChar);
    return {buffer.data(), static_cast<std::size_t>(out - buffer.begin())};
}

uint32_t Hash(std::string_view lowerName) {
    return static_cast<uint32_t>(std::hash<std::string_view>{}(lowerName));
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
    const std::string_view lowerName = withFile
                                           ? Lowered({record.MissionFile, kSeparator, record.ScenarioKey}, buffer)
                                           : Lowered({record.ScenarioKey}, buffer);
    const uint32_t hash = Hash(lowerName);
    Slot& slot = slots_[Probe(lowerName, hash, table)];
    if (slot.index == 0) ++used_;
    slot = {hash, index};
}

int16_t KeyIndex::Find(std::string_view name, const std::vector<ScenarioInfo>& table) const {
    if (slots_.empty() || name.size() > kMaxEntryTextLength) return 0;
    NameBuffer buffer;
    const std::string_view lowerName = Lowered({name}, buffer);
    return slots_[Probe(lowerName, Hash(lowerName), table)].index;
}

bool KeyIndex::Names(const ScenarioInfo& record, std::string_view lowerName) const {
    if (naming_ == Naming::Key) return EqualsIgnoringCase(record.ScenarioKey, lowerName);
    const std::size_t fileLength = record.MissionFile.size();
    return lowerName.size() == fileLength + kSeparator.size() + record.ScenarioKey.size() &&
           EqualsIgnoringCase(record.MissionFile, lowerName.substr(0, fileLength)) &&
           lowerName.substr(fileLength, kSeparator.size()) == kSeparator &&
           EqualsIgnoringCase(record.ScenarioKey, lowerName.substr(fileLength + kSeparator.size()));
}

std::size_t KeyIndex::Probe(std::string_view lowerName, uint32_t hash,
                            const std::vector<ScenarioInfo>& table) const {
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
        const Slot& slot = slots_[at];
        if (slot.index == 0) return at;
        if (slot.hash == hash && Names(table[static_cast<std::size_t>(slot.index)], lowerName)) return at;
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
