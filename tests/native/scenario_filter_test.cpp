#include "cycle/scenario_filter.h"

#include <gtest/gtest.h>

namespace rotaplex {
namespace {

using Scenarios = std::vector<int16_t>;

TEST(ScenarioFilterTest, KeepsWhatContainsTheTextInNameRulesetOrFileIgnoringCase) {
    ScenarioFilter filter;
    filter.Add(1, "Hill Fight FreeForAll", "hillfight.nfo");
    filter.Add(4, "Red Canyon CTF", "RedCanyon.NFO");
    filter.Add(7, "Frozen Pass Teams", "frozen.nfo");
    filter.Add(9, "\xC5sgard", "nordic.nfo");
    const struct {
        const char* typed;
        Scenarios kept;
    } cases[] = {
        {"", {1, 4, 7, 9}},
        {"canyon", {4}},
        {"CANYON", {4}},
        {"ctf", {4}},
        {"hill fight", {1}},          // across name and ruleset as listed
        {"fight free", {1}},
        {"redcanyon.nfo", {4}},        // the file name, whatever its case
        {".NFO", {1, 4, 7, 9}},
        {"teamsfrozen", {}},           // never across the listed text and the file name
        {"sfrozen", {}},
        {"\xC5sg", {9}},  // bytes beyond A to Z compare as they are
        {"\xE5sg", {}},
        {"zzz", {}},
        {" ", {1, 4, 7}},
    };
    for (const auto& c : cases) EXPECT_EQ(filter.Matching(c.typed), c.kept) << '"' << c.typed << '"';
}

TEST(ScenarioFilterTest, NothingAddedMatchesNothing) { EXPECT_TRUE(ScenarioFilter().Matching("").empty()); }

}  // namespace
}  // namespace rotaplex
