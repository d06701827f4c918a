#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "cycle/scenario_info.h"

namespace rotaplex {

// Finds the last record of the table with a given name, ignoring letter case, in constant time.
// A record's name is its ScenarioKey, or with FileAndKey its MissionFile + "::" + ScenarioKey (a
// file name holds no ":", so the first "::" is where the file name ends). It holds only indexes
// into the table, in one flat array: no string or node per name. The names stay in the records,
// so every call is given the table the indexes point into.
class KeyIndex {
public:
    enum class Naming : uint8_t { Key, FileAndKey };
    explicit KeyIndex(Naming naming = Naming::Key) : naming_(naming) {}

    // Makes index the answer for its record's name, replacing an earlier record with that name.
    // Names longer than an entry can hold are never looked for and are not recorded.
    void Insert(int16_t index, const std::vector<ScenarioInfo>& table);

    // A name with its hash, taken once for every step of one lookup.
    struct HashedName {
        std::string_view text;
        uint32_t hash = 0;
    };
    static HashedName Hashed(std::string_view name);

    // The index recorded for name, 0 if none.
    int16_t Find(const HashedName& name, const std::vector<ScenarioInfo>& table) const;
    int16_t Find(std::string_view name, const std::vector<ScenarioInfo>& table) const {
        return Find(Hashed(name), table);
    }

    // For a run of lookups: starts fetching from memory the slot where Find(name) begins.
    void PrefetchSlot(const HashedName& name) const;
    // The index in that slot if it was recorded with name's hash, else 0: most likely what
    // Find(name) will answer, guessed without comparing names, to fetch the record early.
    int16_t Guess(const HashedName& name) const;

private:
    struct Slot {
        uint32_t hash = 0;  // of the name lower-cased, to pass over most other names without comparing
        int16_t index = 0;  // 0: empty
    };

    // The slot that holds the name (in any case), or the empty slot where it would go.
    std::size_t Probe(std::string_view name, uint32_t hash, const std::vector<ScenarioInfo>& table) const;
    void Grow();

    bool Names(const ScenarioInfo& record, std::string_view name) const;

    Naming naming_;
    std::vector<Slot> slots_;  // a power of two in size, at most half full
    std::size_t used_ = 0;
};

}  // namespace rotaplex
