#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace rotaplex {

// The scenarios a chooser lists, narrowed by a typed text: a scenario stays when its listed text
// ("Name Ruleset") or its mission file name contains the text, ignoring case.
class ScenarioFilter {
public:
    // Scenarios are kept in the order added, which is the order Matching returns them in.
    void Add(int16_t scenario, std::string_view listed, std::string_view missionFile);

    // The scenarios that match; all of them for an empty text.
    std::vector<int16_t> Matching(std::string_view typed) const;

private:
    struct Entry {
        int16_t Scenario;
        // Both texts lower-cased, joined by a NUL that no typed text holds, so one search covers both.
        std::string Searched;
    };
    std::vector<Entry> entries_;
};

}  // namespace rotaplex
