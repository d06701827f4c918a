#include "cycle/scenario_info.h"

#include <algorithm>
#include <array>
#include <limits>

namespace rotaplex {

namespace {

constexpr std::size_t kMaxValueLength = 255;
constexpr int kMaxNumber = std::numeric_limits<int16_t>::max();

// One known key and the field it sets: exactly one of the two members is set.
struct SettingField {
    std::string_view key;
    std::string ScenarioInfo::*text;
    int16_t ScenarioInfo::*number;
};

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

char LowerChar(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
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

std::string CleanLine(std::string_view text) {
    std::string kept;
    kept.reserve(text.size());
    for (const char c : text) {
        const auto code = static_cast<unsigned char>(c);
        if ((code >= '0' && code <= '~') || code == '.') kept += c;
    }
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
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) return;
    const std::string key = LowerCase(line.substr(0, equals));
    const std::string_view value = line.substr(equals + 1, kMaxValueLength);
    const auto field = std::find_if(kSettingFields.begin(), kSettingFields.end(),
                                    [&](const SettingField& f) { return f.key == key; });
    if (field == kSettingFields.end()) return;
    if (field->text != nullptr) {
        record.*(field->text) = value;
    } else {
        record.*(field->number) = LeadingNumber(value);
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
