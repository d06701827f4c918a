#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "cycle/scenario_info.h"

namespace rotaplex::fuzz {

// A broken property prints what broke and aborts: libFuzzer reports that as a crash and keeps
// the input that caused it.
inline void Require(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "property broken: %s\n", what);
    std::abort();
}

// The characters the cleaning keeps, "." and "0" to "~", written out again from the rule rather
// than taken from the core, so that a fault there cannot hide itself.
inline bool CleaningKeeps(char c) {
    const auto code = static_cast<unsigned char>(c);
    return code == '.' || (code >= '0' && code <= '~');
}

inline bool OnlyKept(std::string_view text) {
    return std::all_of(text.begin(), text.end(), CleaningKeeps);
}

// The settings of a record read from a file: every number is either its default or one a file
// can give (0 to 32767, never negative because cleaning drops the sign), and every text is
// cleaned and cut to 255 characters.
inline void RequireSoundSettings(const ScenarioInfo& record) {
    static constexpr int16_t ScenarioInfo::*kNumbers[] = {
        &ScenarioInfo::Visibility,     &ScenarioInfo::KillLimit,
        &ScenarioInfo::KillLimitNumber, &ScenarioInfo::RespawnLimit,
        &ScenarioInfo::RespawnLimitNumber, &ScenarioInfo::IsNight,
        &ScenarioInfo::Weather,        &ScenarioInfo::RadarMode,
        &ScenarioInfo::OnlyStockMech,  &ScenarioInfo::MinimumTonnage,
        &ScenarioInfo::MaximumTonnage, &ScenarioInfo::TeamAllowed,
        &ScenarioInfo::TeamCount,      &ScenarioInfo::GameLength,
    };
    static constexpr std::string_view ScenarioInfo::*kTexts[] = {
        &ScenarioInfo::Name, &ScenarioInfo::Ruleset, &ScenarioInfo::ScenarioText};

    ScenarioInfo defaults;
    ResetScenario(defaults);
    for (const auto field : kNumbers) {
        Require(record.*field >= 0 || record.*field == defaults.*field,
                "a number is negative and not its default");
    }
    for (const auto field : kTexts) {
        Require((record.*field).size() <= 255, "a text is longer than 255 characters");
        Require(OnlyKept(record.*field), "a text holds a character the cleaning drops");
    }
}

}  // namespace rotaplex::fuzz
