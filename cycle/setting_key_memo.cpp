#include "cycle/setting_key_memo.h"

#include <algorithm>
#include <cstring>

namespace rotaplex {

namespace {

uint64_t Load8(const char* bytes) {
    uint64_t word;
    std::memcpy(&word, bytes, sizeof word);
    return word;
}

// The first and the last eight bytes of a key, or for a shorter key its bytes, as two words.
struct KeyWords {
    uint64_t head = 0, tail = 0;
};

KeyWords WordsOf(const char* bytes, std::size_t length) {
    if (length >= 8) return {Load8(bytes), Load8(bytes + length - 8)};
    KeyWords words;
    for (std::size_t i = 0; i < length; ++i) words.head |= uint64_t{static_cast<unsigned char>(bytes[i])} << (8 * i);
    return words;
}

// Equal bytes, compared a word at a time; both hold length bytes, at most 32.
bool SameBytes(const char* a, const char* b, std::size_t length) {
    if (length < 8) return WordsOf(a, length).head == WordsOf(b, length).head;
    for (std::size_t at = 0; at + 8 < length; at += 8) {
        if (Load8(a + at) != Load8(b + at)) return false;
    }
    return Load8(a + length - 8) == Load8(b + length - 8);
}

}  // namespace

int SettingKeyMemo::SettingOf(std::string_view key) {
    if (key.size() > kLongestSpelling) return SettingOfKey(key);
    const KeyWords words = WordsOf(key.data(), key.size());
    const uint64_t mixed = (words.head * 0x9E3779B97F4A7C15u) ^ ((words.tail + key.size()) * 0xC2B2AE3D27D4EB4Fu);
    for (std::size_t at = mixed >> (64 - kSlotBits);; at = (at + 1) % kSlots) {
        Spelling& spelling = spellings_[at];
        if (!spelling.used) {
            const int setting = SettingOfKey(key);
            if (2 * (used_ + 1) <= kSlots) {
                spelling = {true, key.size(), setting, {}};
                std::copy(key.begin(), key.end(), spelling.bytes.begin());
                ++used_;
            }
            return setting;
        }
        if (spelling.length == key.size() && SameBytes(spelling.bytes.data(), key.data(), key.size())) {
            return spelling.setting;
        }
    }
}

}  // namespace rotaplex
