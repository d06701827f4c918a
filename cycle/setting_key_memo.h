#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "cycle/scenario_info.h"

namespace rotaplex {

// SettingOfKey with a memory: a mission file spells each key the same way again and again (tabs,
// blanks and case included), and comparing those bytes with the spelling met before costs a
// fraction of cleaning and matching them anew. Exact: a spelling is only ever taken for itself.
class SettingKeyMemo {
public:
    // The setting named by the key that is the first keyLength bytes of line. The bytes after the
    // key (its "=" and on) may be read to fetch the key a word at a time; they do not count.
    int SettingOf(std::string_view line, std::size_t keyLength);

    // Up to 32 bytes held in four words: the first and last eight, and for a key of more than 16
    // the eight after the first and the eight before the last (words overlap on shorter keys,
    // bytes past a key of under eight are zero). With the length they tell the bytes exactly.
    struct KeyWords {
        std::array<uint64_t, 4> words{};
        bool operator==(const KeyWords& other) const {
            return words[0] == other.words[0] && words[3] == other.words[3] && words[1] == other.words[1] &&
                   words[2] == other.words[2];
        }
    };

private:
    static constexpr std::size_t kLongestSpelling = 32;  // longer ones are matched anew each time
    static constexpr int kSlotBits = 8;
    // Open addressing, at most half full; spellings met once the table is full are not kept.
    static constexpr std::size_t kSlots = std::size_t{1} << kSlotBits;

    struct Spelling {
        KeyWords bytes;
        uint8_t length = 0;  // 0: the slot is free (an empty key is never kept)
        int8_t setting = kNoSetting;
    };

    std::array<Spelling, kSlots> spellings_{};
    std::size_t used_ = 0;
};

}  // namespace rotaplex
