#include "cycle/setting_key_memo.h"

#include "cycle/words.h"

namespace rotaplex {

namespace {

using KeyWords = SettingKeyMemo::KeyWords;

KeyWords WordsOfKey(std::string_view line, std::size_t length) {
    const char* bytes = line.data();
    KeyWords key;
    if (length >= 8) {
        key.words[0] = LoadWord(bytes, 8);
        key.words[3] = LoadWord(bytes + length - 8, 8);
        if (length > 16) {
            key.words[1] = LoadWord(bytes + 8, 8);
            key.words[2] = LoadWord(bytes + length - 16, 8);
        }
    } else if (line.size() >= 8) {
        // One load of what follows too, cut back to the key: cheaper than a byte at a time.
        key.words[0] = LoadWord(bytes, 8) & ((uint64_t{1} << (8 * length)) - 1);
    } else {
        key.words[0] = LoadWord(bytes, length);
    }
    return key;
}

}  // namespace

int SettingKeyMemo::SettingOf(std::string_view line, std::size_t keyLength) {
    const std::string_view key = line.substr(0, keyLength);
    if (key.empty() || key.size() > kLongestSpelling) return SettingOfKey(key);
    const KeyWords words = WordsOfKey(line, key.size());
    const uint64_t mixed = (words.words[0] * 0x9E3779B97F4A7C15u) ^
                           ((words.words[3] + words.words[1] + key.size()) * 0xC2B2AE3D27D4EB4Fu);
    for (std::size_t at = mixed >> (64 - kSlotBits);; at = (at + 1) % kSlots) {
        Spelling& spelling = spellings_[at];
        if (spelling.length == 0) {
            const int setting = SettingOfKey(key);
            if (2 * (used_ + 1) <= kSlots) {
                spelling = {words, static_cast<uint8_t>(key.size()), static_cast<int8_t>(setting)};
                ++used_;
            }
            return setting;
        }
        if (spelling.length == key.size() && spelling.bytes == words) return spelling.setting;
    }
}

}  // namespace rotaplex
