#include "cycle/scenario_info.h"

#include <algorithm>
#include <array>
#include <limits>

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

constexpr std::size_t kLongestKey = std::max_element(kSettingFields.begin(), kSettingFields.end(),
                                                     [](const SettingField& a, const SettingField& b) {
                                                         return a.key.size() < b.key.size();
                                                     })->key.size();

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
    for (std::size_t pos = 0; pos < text.size() && count < capacity; ++pos) {
        out[count] = text[pos];
        // Every character is written, only the kept ones advance: no branch to mispredict.
        count += IsKept(text[pos]);
    }
    return count;
}

}  // namespace

void ResetScenario(ScenarioInfo& record) {
    ScenarioInfo defaults;
    defaults.ScenarioKey = std::move(record.ScenarioKey);
    defaults.MissionFile = std::move(record.MissionFile);
    defaults.KillLimitNumber = -1;
    defaults.RespawnLimitNumber = -1;
    defaults.MinimumTonnage = -1;
    defaults.MaximumTonnage = -1;
    defaults.TeamCount = -1;
    defaults.GameLength = -1;
    record = std::move(defaults);
}

std::span<const SettingField> SettingFields() {
    return kSettingFields;
}

std::string CleanLine(std::string_view text) {
    // Sized exactly, so that a short result stays inside the string and nothing is left over.
    std::string kept(static_cast<std::size_t>(std::count_if(text.begin(), text.end(), IsKept)), '\0');
    CleanInto(text, kept.data(), kept.size());
    return kept;
}

std::string LowerCase(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), LowerChar);
    return lower;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return LowerChar(x) == LowerChar(y); });
}

void ParseSetting(std::string_view line, ScenarioInfo& record) {
    // The key, lower-cased as it is cleaned; one longer than every known key matches none of them.
    char key[kLongestKey + 1];
    std::size_t keyLength = 0;
    std::size_t pos = 0;
    for (; pos < line.size() && line[pos] != '='; ++pos) {
        // Without a branch on the character: blanks and letters alternate too often to predict.
        const char lower = kLowerKept[static_cast<unsigned char>(line[pos])];
        key[keyLength] = lower;
        keyLength += lower != '\0';
        if (keyLength > kLongestKey) return;
    }
    if (pos == line.size()) return;
    const std::string_view wanted(key, keyLength);
    const auto field = std::find_if(kSettingFields.begin(), kSettingFields.end(),
                                    [&](const SettingField& f) { return f.key == wanted; });
    if (field == kSettingFields.end()) return;

    char value[kMaxValueLength];
    const std::string_view cleanedValue(value, CleanInto(line.substr(pos + 1), value, kMaxValueLength));
    if (field->text != nullptr) {
        record.*(field->text) = cleanedValue;
    } else {
        record.*(field->number) = LeadingNumber(cleanedValue);
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
