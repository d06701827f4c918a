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
    int SettingOf(std::string_view key);

private:
    static constexpr std::size_t kLongestSpelling = 32;  // longer ones are matched anew each time
    static constexpr int kSlotBits = 8;
    // Open addressing, at most half full; spellings met once the table is full are not kept.
    static constexpr std::size_t kSlots = std::size_t{1} << kSlotBits;

    struct Spelling {
        bool used = false;
        std::size_t length = 0;
        int setting = kNoSetting;
        std::array<char, kLongestSpelling> bytes{};
    };

    std::array<Spelling, kSlots> spellings_{};
    std::size_t used_ = 0;
};

}  // namespace rotaplex
