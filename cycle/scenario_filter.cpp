#include "cycle/scenario_filter.h"

#include "cycle/scenario_info.h"

namespace rotaplex {

void ScenarioFilter::Add(int16_t scenario, std::string_view listed, std::string_view missionFile) {
    std::string searched = LowerCase(listed);
    searched += '\0';
    searched += LowerCase(missionFile);
    entries_.push_back({scenario, std::move(searched)});
}

std::vector<int16_t> ScenarioFilter::Matching(std::string_view typed) const {
    const std::string needle = LowerCase(typed);
    std::vector<int16_t> matching;
    matching.reserve(entries_.size());
    for (const Entry& entry : entries_)
        if (entry.Searched.find(needle) != std::string::npos) matching.push_back(entry.Scenario);
    return matching;
}

}  // namespace rotaplex
