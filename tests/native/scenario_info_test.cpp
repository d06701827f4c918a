#include "cycle/scenario_info.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "tests/plain_mission_walk.h"

namespace rotaplex {
namespace {

ScenarioInfo Fresh() {
    ScenarioInfo record;
    record.ScenarioKey = "Key";
    record.MissionFile = "m.nfo";
    ResetScenario(record);
    return record;
}

TEST(ScenarioInfoTest, ResetGivesTheDefaultsAndKeepsTheIdentity) {
    ScenarioInfo expected;
    expected.ScenarioKey = "Key";
    expected.MissionFile = "m.nfo";
    expected.KillLimitNumber = expected.RespawnLimitNumber = expected.TeamCount = -1;
    expected.MinimumTonnage = expected.MaximumTonnage = expected.GameLength = -1;
    ScenarioInfo used = Fresh();
    used.Name = "x";
    used.Weather = 3;
    ResetScenario(used);
    EXPECT_EQ(used, expected);
}

TEST(ScenarioInfoTest, CleaningKeepsFullStopAndZeroToTildeOnly) {
    EXPECT_EQ(CleanLine("Kill Limit = 5"), "KillLimit=5");
    EXPECT_EQ(CleanLine(std::string("\t!\"#$%&'()*+,-/ \0\x7f\x80\xff", 20)), "");
    EXPECT_EQ(CleanLine("res\\Hill Fight.txt;[]{}~@`"), "res\\HillFight.txt;[]{}~@`");
}

TEST(ScenarioInfoTest, SettingLinesSetTheirField) {
    const std::string longValue(300, 'v');
    const struct {
        std::string fileLine;
        std::function<void(ScenarioInfo&)> change;
    } cases[] = {
        {"Kill Limit = 5", [](ScenarioInfo& r) { r.KillLimit = 5; }},
        {"killlimitnumber=-1", [](ScenarioInfo& r) { r.KillLimitNumber = 1; }},
        {"name=Open Valley", [](ScenarioInfo& r) { r.Name = "OpenValley"; }},
        {"ruleset=Free For All", [](ScenarioInfo& r) { r.Ruleset = "FreeForAll"; }},
        {"NAME=x", [](ScenarioInfo& r) { r.Name = "x"; }},
        {"scenariotext=resource\\missions\\Hill Fight.txt",
         [](ScenarioInfo& r) { r.ScenarioText = "resource\\missions\\HillFight.txt"; }},
        {"name=a=b", [](ScenarioInfo& r) { r.Name = "a=b"; }},
        {"teamcount=", [](ScenarioInfo& r) { r.TeamCount = 0; }},
        {"teamcount=abc", [](ScenarioInfo& r) { r.TeamCount = 0; }},
        {"gamelength=20min", [](ScenarioInfo& r) { r.GameLength = 20; }},
        {"gamelength=40000", [](ScenarioInfo& r) { r.GameLength = 32767; }},
        {"ruleset=" + longValue, [&](ScenarioInfo& r) { r.Ruleset = std::string_view(longValue).substr(0, 255); }},
        {"gamelength=" + std::string(255, '0') + "7", [](ScenarioInfo& r) { r.GameLength = 0; }},
        {"}", [](ScenarioInfo&) {}},
        {"[server]", [](ScenarioInfo&) {}},
        {"=5", [](ScenarioInfo&) {}},
        {"maxplayers=8", [](ScenarioInfo&) {}},
        {"\t\tRespawn Limit Number = 7", [](ScenarioInfo& r) { r.RespawnLimitNumber = 7; }},
        {"respawnlimitnumberx=7", [](ScenarioInfo&) {}},
        {"- name - = - a - b -", [](ScenarioInfo& r) { r.Name = "ab"; }},
        {"ruleset =" + std::string(300, ' ') + longValue,
         [&](ScenarioInfo& r) { r.Ruleset = std::string_view(longValue).substr(0, 255); }},
    };
    TextArena texts;
    for (const auto& c : cases) {
        ScenarioInfo expected = Fresh();
        c.change(expected);
        ScenarioInfo record = Fresh();
        plain::ParseSetting(CleanLine(c.fileLine), record, texts);
        EXPECT_EQ(record, expected) << c.fileLine;
        ScenarioInfo uncleaned = Fresh();
        plain::ParseSetting(c.fileLine, uncleaned, texts);
        EXPECT_EQ(uncleaned, expected) << "not cleaned: " << c.fileLine;
    }
}

TEST(ScenarioInfoTest, LaterLineOverwritesEarlier) {
    ScenarioInfo record = Fresh();
    TextArena texts;
    plain::ParseSetting("weather=1", record, texts);
    plain::ParseSetting("weather=0", record, texts);
    EXPECT_EQ(record.Weather, 0);
}

TEST(ScenarioInfoTest, LeadingNumberRoundsHalfToEvenAndSaturates) {
    const struct {
        std::string value;
        int16_t number;
    } cases[] = {
        {"", 0}, {"abc", 0}, {".", 0}, {".5", 0}, {"0.5", 0}, {"0.51", 1}, {"1.5", 2},
        {"2.5", 2}, {"3.5", 4}, {"2.500001", 3}, {"2.4999999", 2}, {"12.", 12}, {"1.2.3", 1},
        {"007", 7}, {"1e", 1}, {"1E2", 100}, {"1e2x", 100}, {"1.5e1", 15}, {"25e-1", 25},
        {".05e2", 5}, {"0.0000000000000000000001e22", 1}, {"12345e-1", 12345},
        {"32767", 32767}, {"32767.5", 32767}, {"32768", 32767}, {"40000", 32767},
        {"1e9", 32767}, {"1e99999", 32767}, {"1e99999999999999999999999", 32767},
        {std::string(100, '9'), 32767}, {"0e99999", 0}, {"0.00e99999", 0},
    };
    for (const auto& c : cases) EXPECT_EQ(LeadingNumber(c.value), c.number) << c.value;
}

// Compared eight bytes at a time: only A to Z fold, their neighbours and bytes from 0x80 do not,
// and a difference anywhere in a word or in the bytes after the last whole word counts.
TEST(ScenarioInfoTest, EqualsIgnoringCaseFoldsOnlyAToZ) {
    const std::string chars = "aAzZ@[`{09\xc1\xe1\xda\xfa";
    unsigned seed = 7;
    auto next = [&seed](unsigned bound) { return (seed = seed * 1103515245u + 12345u) / 65536u % bound; };
    for (int i = 0; i < 3000; ++i) {
        std::string a(next(20), ' ');
        for (char& c : a) c = chars[next(static_cast<unsigned>(chars.size()))];
        std::string b = a;
        if (!b.empty() && next(2) == 0) b[next(static_cast<unsigned>(b.size()))] = chars[next(static_cast<unsigned>(chars.size()))];
        if (next(8) == 0) b += 'a';
        const bool expected = LowerCase(a) == LowerCase(b);
        EXPECT_EQ(EqualsIgnoringCase(a, b), expected) << a << " / " << b;
    }
}

}  // namespace
}  // namespace rotaplex
