#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "cycle/scenario_info.h"

namespace rotaplex {

// Finds the last record of the table with a given ScenarioKey, ignoring letter case, in constant
// time. It holds only indexes into the table, in one flat array: no string or node per key. The
// keys stay in the records, so every call is given the table the indexes point into.
class KeyIndex {
public:
    // Makes index the answer for its record's key, replacing an earlier record with that key.
    // Keys longer than an entry can hold are never looked for and are not recorded.
    void Insert(int16_t index, const std::vector<ScenarioInfo>& table);

    // The index recorded for key, 0 if none.
    int16_t Find(std::string_view key, const std::vector<ScenarioInfo>& table) const;

private:
    struct Slot {
        uint32_t hash = 0;  // of the lower-cased key, to pass over most other keys without comparing
        int16_t index = 0;  // 0: empty
    };

    // The slot that holds key, or the empty slot where it would go.
    std::size_t Probe(std::string_view lowerKey, uint32_t hash, const std::vector<ScenarioInfo>& table) const;
    void Grow();

    std::vector<Slot> slots_;  // a power of two in size, at most half full
    std::size_t used_ = 0;
};

}  // namespace rotaplex
