#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "cycle/text_arena.h"

namespace rotaplex {

// One scenario of a mission description file with the server settings it starts with.
// Numbers default to 0 so that a record nobody reset (the table's slot 0) reads as empty.
// The texts are views: of a catalogue's record into the catalogue's TextArena, of any other
// record into whatever its maker keeps alive (the arena handed to ApplySetting, a literal).
struct ScenarioInfo {
    std::string_view ScenarioKey;
    std::string_view MissionFile;
    std::string_view Name;
    std::string_view Ruleset;
    int16_t Visibility = 0;
    int16_t KillLimit = 0;
    int16_t KillLimitNumber = 0;
    int16_t RespawnLimit = 0;
    int16_t RespawnLimitNumber = 0;
    int16_t IsNight = 0;
    int16_t Weather = 0;
    int16_t RadarMode = 0;
    int16_t OnlyStockMech = 0;
    int16_t MinimumTonnage = 0;
    int16_t MaximumTonnage = 0;
    int16_t TeamAllowed = 0;
    int16_t TeamCount = 0;
    std::string_view ScenarioText;
    int16_t GameLength = 0;

    bool operator==(const ScenarioInfo&) const = default;
};

// One known key and the field it sets: exactly one of the two members is set.
struct SettingField {
    std::string_view key;
    std::string_view ScenarioInfo::*text;
    int16_t ScenarioInfo::*number;
};

// Every setting a mission file can give, in the order SettingOfKey compares the keys.
std::span<const SettingField> SettingFields();

// Sets every setting to its default; the two identifying texts stay as they are.
void ResetScenario(ScenarioInfo& record);

// Keeps "." and the characters from "0" to "~"; drops everything else (blanks, signs, controls, bytes >= 0x7F).
std::string CleanLine(std::string_view text);
// CleanLine's result kept in texts.
std::string_view CleanLineInto(std::string_view text, TextArena& texts);

// Whether CleanLine keeps the character.
constexpr bool IsKept(char c) {
    const auto code = static_cast<unsigned char>(c);
    return (code >= '0' && code <= '~') || code == '.';
}

// A "key=value" line is applied in two steps, so that a reader can remember what the keys it met
// name. Lines not yet cleaned give the same result: the characters CleanLine drops are skipped.
// The setting a key (the text before a line's first "=", cleaned or not) names, or kNoSetting.
inline constexpr int kNoSetting = -1;
int SettingOfKey(std::string_view key);
// Sets a setting from the text after the line's first "=", cleaned or not; a text setting's value
// is kept in texts.
void ApplySetting(int setting, std::string_view value, ScenarioInfo& record, TextArena& texts);

// A to Z turned into a to z; every other character, bytes from 0x80 included, stays as it is.
std::string LowerCase(std::string_view text);
constexpr char LowerChar(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Equal character by character once A to Z are lower-cased on both sides.
bool EqualsIgnoringCase(std::string_view a, std::string_view b);
// Longer than ending, and ending in it, letter case aside.
bool EndsWithIgnoringCase(std::string_view name, std::string_view ending);

// The leading decimal number of a cleaned value, rounded half to even and saturated to 0..32767.
int16_t LeadingNumber(std::string_view value);

}  // namespace rotaplex
