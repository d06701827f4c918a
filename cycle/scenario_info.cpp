#include "cycle/scenario_info.h"

#include <algorithm>
#include <array>
#include <limits>

#include "cycle/words.h"

namespace rotaplex {

namespace {

constexpr std::size_t kMaxValueLength = 255;
constexpr int kMaxNumber = std::numeric_limits<int16_t>::max();

constexpr std::array<SettingField, 17> kSettingFields{{
    {"name", &ScenarioInfo::Name, nullptr},
    {"ruleset", &ScenarioInfo::Ruleset, nullptr},
    {"teamallowed", nullptr, &ScenarioInfo::TeamAllowed},
    {"teamcount", nullptr, &ScenarioInfo::TeamCount},
    {"scenariotext", &ScenarioInfo::ScenarioText, nullptr},
    {"visibility", nullptr, &ScenarioInfo::Visibility},
    {"killlimit", nullptr, &ScenarioInfo::KillLimit},
    {"killlimitnumber", nullptr, &ScenarioInfo::KillLimitNumber},
    {"respawnlimit", nullptr, &ScenarioInfo::RespawnLimit},
    {"respawnlimitnumber", nullptr, &ScenarioInfo::RespawnLimitNumber},
    {"isnight", nullptr, &ScenarioInfo::IsNight},
    {"weather", nullptr, &ScenarioInfo::Weather},
    {"radarmode", nullptr, &ScenarioInfo::RadarMode},
    {"onlystockmech", nullptr, &ScenarioInfo::OnlyStockMech},
    {"minimumtonnage", nullptr, &ScenarioInfo::MinimumTonnage},
    {"maximumtonnage", nullptr, &ScenarioInfo::MaximumTonnage},
    {"gamelength", nullptr, &ScenarioInfo::GameLength},
}};

constexpr std::size_t kShortestKey = std::min_element(kSettingFields.begin(), kSettingFields.end(),
                                                      [](const SettingField& a, const SettingField& b) {
                                                          return a.key.size() < b.key.size();
                                                      })->key.size();
constexpr std::size_t kLongestKey = std::max_element(kSettingFields.begin(), kSettingFields.end(),
                                                     [](const SettingField& a, const SettingField& b) {
                                                         return a.key.size() < b.key.size();
                                                     })->key.size();

// A key of at least kShortestKey characters to one of kKeySlots slots: no two known keys share
// one, so a key needs one comparison, with the only known key that can equal it.
constexpr std::size_t kKeySlots = 32;
constexpr std::size_t KeySlot(std::string_view key) {
    return (key.size() * 7 + static_cast<unsigned char>(key[0]) +
            static_cast<unsigned char>(key[1]) * 6) % kKeySlots;
}

constexpr std::array<int, kKeySlots> kSettingOfSlot = [] {
    std::array<int, kKeySlots> settings{};
    settings.fill(kNoSetting);
    for (std::size_t i = 0; i < kSettingFields.size(); ++i) {
        int& setting = settings[KeySlot(kSettingFields[i].key)];
        if (setting != kNoSetting) throw "two known keys share a slot";
        setting = static_cast<int>(i);
    }
    return settings;
}();

// 1 for each byte CleanLine keeps, 0 for each it drops.
constexpr std::array<uint8_t, 256> kKeeps = [] {
    std::array<uint8_t, 256> table{};
    for (std::size_t code = 0; code < table.size(); ++code) table[code] = IsKept(static_cast<char>(code));
    return table;
}();

// For each byte, the character CleanLine keeps with A to Z lower-cased, or 0 for one it drops.
constexpr std::array<char, 256> kLowerKept = [] {
    std::array<char, 256> table{};
    for (std::size_t code = 0; code < table.size(); ++code) {
        const auto c = static_cast<char>(code);
        table[code] = IsKept(c) ? LowerChar(c) : '\0';
    }
    return table;
}();

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Copies the characters CleanLine keeps into out, at most capacity of them; returns how many.
std::size_t CleanInto(std::string_view text, char* out, std::size_t capacity) {
    std::size_t count = 0;
    std::size_t pos = 0;
    while (pos < text.size() && count < capacity) {
        // A stretch no longer than the room left cannot overfill it: one bound per character.
        const std::size_t stretch = std::min(text.size(), pos + (capacity - count));
        for (; pos < stretch; ++pos) {
            out[count] = text[pos];
            // Every character is written, only the kept ones advance: no branch to mispredict.
            count += kKeeps[static_cast<unsigned char>(text[pos])];
        }
    }
    return count;
}

}  // namespace

void ResetScenario(ScenarioInfo& record) {
    ScenarioInfo defaults;
    defaults.ScenarioKey = record.ScenarioKey;
    defaults.MissionFile = record.MissionFile;
    defaults.KillLimitNumber = -1;
    defaults.RespawnLimitNumber = -1;
    defaults.MinimumTonnage = -1;
    defaults.MaximumTonnage = -1;
    defaults.TeamCount = -1;
    defaults.GameLength = -1;
    record = defaults;
}

std::span<const SettingField> SettingFields() {
    return kSettingFields;
}

std::string CleanLine(std::string_view text) {
    // Through a buffer, a part of the line at a time: the string of a short line is allocated
    // once and exactly, so that a short result stays inside the string and nothing is left over.
    char buffer[256];
    std::string kept(buffer, CleanInto(text.substr(0, sizeof buffer), buffer, sizeof buffer));
    for (std::size_t pos = sizeof buffer; pos < text.size(); pos += sizeof buffer) {
        kept.append(buffer, CleanInto(text.substr(pos, sizeof buffer), buffer, sizeof buffer));
    }
    return kept;
}

std::string_view CleanLineInto(std::string_view text, TextArena& texts) {
    char buffer[256];
    if (text.size() > sizeof buffer) return texts.Keep(CleanLine(text));
    return texts.Keep({buffer, CleanInto(text, buffer, sizeof buffer)});
}

std::string LowerCase(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), LowerChar);
    return lower;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && EqualWordsIgnoringCase(a.data(), b.data(), a.size());
}

bool EndsWithIgnoringCase(std::string_view name, std::string_view ending) {
    return name.size() > ending.size() && EqualsIgnoringCase(name.substr(name.size() - ending.size()), ending);
}

int SettingOfKey(std::string_view key) {
    // Lower-cased as it is cleaned; one character more than the longest known key matches none.
    char lower[kLongestKey + 1];
    std::size_t length = 0;
    for (const char c : key) {
        // Without a branch on the character: blanks and letters alternate too often to predict.
        const char kept = kLowerKept[static_cast<unsigned char>(c)];
        lower[length] = kept;
        length += kept != '\0';
        if (length > kLongestKey) return kNoSetting;
    }
    if (length < kShortestKey) return kNoSetting;
    const std::string_view wanted(lower, length);
    const int setting = kSettingOfSlot[KeySlot(wanted)];
    if (setting == kNoSetting || kSettingFields[static_cast<std::size_t>(setting)].key != wanted) {
        return kNoSetting;
    }
    return setting;
}

void ApplySetting(int setting, std::string_view value, ScenarioInfo& record, TextArena& texts) {
    const SettingField& field = kSettingFields[static_cast<std::size_t>(setting)];
    if (field.number != nullptr) {
        // Most numbers are a few digits that end the value or stand before a character that
        // cannot go on with them: read as they stand, skipping what cleaning drops.
        int number = 0;
        int digits = 0;
        std::size_t pos = 0;
        for (; pos < value.size(); ++pos) {
            const char c = value[pos];
            if (!IsKept(c)) continue;
            if (!IsDigit(c) || digits == 4) break;
            number = number * 10 + (c - '0');
            ++digits;
        }
        if (pos == value.size() || !(IsDigit(value[pos]) || value[pos] == '.' || value[pos] == 'e' ||
                                     value[pos] == 'E')) {
            record.*(field.number) = static_cast<int16_t>(number);
            return;
        }
    }
    char cleaned[kMaxValueLength];
    const std::string_view cleanedValue(cleaned, CleanInto(value, cleaned, kMaxValueLength));
    if (field.text != nullptr) {
        record.*(field.text) = texts.Keep(cleanedValue);
    } else {
        record.*(field.number) = LeadingNumber(cleanedValue);
    }
}

int16_t LeadingNumber(std::string_view value) {
    // The mantissa's digits without the point, and how many of them stand before the point.
    std::string digits;
    std::size_t pos = 0;
    bool pointSeen = false;
    int64_t wholeDigits = 0;
    for (; pos < value.size(); ++pos) {
        if (IsDigit(value[pos])) {
            digits += value[pos];
        } else if (value[pos] == '.' && !pointSeen) {
            pointSeen = true;
            wholeDigits = static_cast<int64_t>(digits.size());
        } else {
            break;
        }
    }
    if (!pointSeen) wholeDigits = static_cast<int64_t>(digits.size());

    const bool hasExponent = pos + 1 < value.size() && (value[pos] == 'e' || value[pos] == 'E') &&
                             IsDigit(value[pos + 1]);
    if (hasExponent) {
        // Capped far beyond any text's length, so the cap never changes the outcome.
        constexpr int64_t kExponentCap = int64_t{1} << 52;
        int64_t exponent = 0;
        for (++pos; pos < value.size() && IsDigit(value[pos]); ++pos) {
            exponent = std::min(exponent * 10 + (value[pos] - '0'), kExponentCap);
        }
        wholeDigits += exponent;
    }

    // Without leading zeros the first digit tells the magnitude: 10^(wholeDigits - 1).
    const std::size_t first = digits.find_first_not_of('0');
    if (first == std::string::npos) return 0;
    digits.erase(0, first);
    wholeDigits -= static_cast<int64_t>(first);
    if (wholeDigits < 0) return 0;  // below 0.1
    if (wholeDigits > 5) return kMaxNumber;  // at least 100000

    const auto wholeCount = static_cast<std::size_t>(wholeDigits);
    int whole = 0;
    for (std::size_t i = 0; i < wholeCount; ++i) {
        whole = whole * 10 + (i < digits.size() ? digits[i] - '0' : 0);
    }
    if (wholeCount < digits.size()) {
        const char next = digits[wholeCount];
        const bool moreBeyond = digits.find_first_not_of('0', wholeCount + 1) != std::string::npos;
        if (next > '5' || (next == '5' && (moreBeyond || whole % 2 == 1))) ++whole;
    }
    return static_cast<int16_t>(std::min(whole, kMaxNumber));
}

}  // namespace rotaplex
