#include "cycle/mission_catalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/plain_mission_walk.h"

namespace rotaplex {
namespace {

std::vector<std::string> Keys(const MissionCatalogue& catalogue) {
    std::vector<std::string> keys;
    for (int i = 1; i <= catalogue.ScenarioCount(); ++i) {
        keys.emplace_back(catalogue.Scenario(i).ScenarioKey);
    }
    return keys;
}

// Views of the arguments: AddScenario copies them in the same statement.
ScenarioInfo Record(std::string_view key, std::string_view name = "", std::string_view ruleset = "",
                    std::string_view file = "m.nfo") {
    ScenarioInfo record;
    record.ScenarioKey = key;
    record.MissionFile = file;
    record.Name = name;
    record.Ruleset = ruleset;
    return record;
}

TEST(MissionCatalogueTest, ScenariosStandInListingThenFileOrderAfterAnEmptySlotZero) {
    MissionCatalogue catalogue;
    ASSERT_TRUE(catalogue.AddMissionFile("a.nfo"));
    ASSERT_TRUE(catalogue.AddMissionFile("b.nfo"));
    catalogue.ParseMissionFile(
        " [ SCENARIOS ] \r\nHill Fight = {\r\nnote\r\n[server]\r\nname = Hill Fight\r\n"
        "killlimitnumber = 20\r\n}\r\nweather=3\r\nValley={\r\n[Server]\r\n}\r\n",
        "a.nfo");
    catalogue.ParseMissionFile("[scenarios]\r={\r[server]\r}", "b.nfo");

    EXPECT_EQ(catalogue.MissionFiles(), (std::vector<std::string>{"", "a.nfo", "b.nfo"}));
    EXPECT_EQ(catalogue.MissionFileCount(), 2);
    ASSERT_EQ(catalogue.ScenarioTable().size(), 4u);
    EXPECT_EQ(catalogue.ScenarioTable()[0], ScenarioInfo{});
    EXPECT_EQ(Keys(catalogue), (std::vector<std::string>{"HillFight", "Valley", ""}));
    const ScenarioInfo& hill = catalogue.Scenario(1);
    EXPECT_EQ(hill.MissionFile, "a.nfo");
    EXPECT_EQ(hill.Name, "HillFight");
    EXPECT_EQ(hill.KillLimitNumber, 20);
    EXPECT_EQ(hill.Weather, 0);
    EXPECT_EQ(hill.GameLength, -1);
    EXPECT_EQ(catalogue.Scenario(3).MissionFile, "b.nfo");
}

// The records' texts are the catalogue's own: the file's text and name may go, and the catalogue
// may move (under the address sanitizer, a text left behind would be read after it was freed).
TEST(MissionCatalogueTest, RecordsKeepTheirTextsWhenTheFileIsGoneAndTheCatalogueMoves) {
    MissionCatalogue catalogue;
    {
        const std::string name = "a-mission-file-name-past-sixteen.nfo";
        const std::string text =
            "[scenarios]\r\nA Key Longer Than Sixteen = {\r\n[server]\r\nname = A Name Longer Than Sixteen\r\n"
            "ruleset = Capture The Flag Again\r\nscenariotext = resource\\missions\\a-text-file.txt\r\n}\r\n";
        catalogue.AddMissionFile(name);
        catalogue.ParseMissionFile(text, name);
    }
    const MissionCatalogue moved = std::move(catalogue);
    const ScenarioInfo& record = moved.Scenario(1);
    EXPECT_EQ(record.MissionFile, "a-mission-file-name-past-sixteen.nfo");
    EXPECT_EQ(record.ScenarioKey, "AKeyLongerThanSixteen");
    EXPECT_EQ(record.Name, "ANameLongerThanSixteen");
    EXPECT_EQ(record.Ruleset, "CaptureTheFlagAgain");
    EXPECT_EQ(record.ScenarioText, "resource\\missions\\atextfile.txt");  // "-" is cleaned away
    EXPECT_EQ(moved.FindScenario("a-mission-file-name-past-sixteen.nfo::akeylongerthansixteen"), 1);
}

TEST(MissionCatalogueTest, MalformedFilesEndQuietlyExceptAMissingServerLine) {
    const struct {
        std::string text;
        bool hasSection, missingServer;
        std::vector<std::string> keys;
    } cases[] = {
        {"", false, false, {}},
        {"[scenarios]\nA={\n[server]\n}\n", false, false, {}},
        {"A={\r\n[server]\r\n}", false, false, {}},
        {"[scenarios]", true, false, {}},
        {"[scenarios]\r\n", true, false, {}},
        {"[scenarios]\r\nA={", true, true, {"A"}},
        {"[scenarios]\r\nA={\r\nname=x\r\n", true, true, {"A"}},
        {"[scenarios]\r\nA={\r\n[server]", true, false, {"A"}},
        {"[scenarios]\r\nHill Fight =\r\n{\r\n[server]\r\n}", true, false, {}},
        {"[scenarios]\r\nA={\r\n[server]\r\n}\r\ntrailing", true, false, {"A"}},
        {"A={\r\n[scenarios]\r\nB={\r\n[server]\r\n}", true, false, {"B"}},
    };
    for (const auto& c : cases) {
        MissionCatalogue catalogue;
        const MissionFileOutcome outcome = catalogue.ParseMissionFile(c.text, "m.nfo");
        EXPECT_EQ(outcome.HasSection, c.hasSection) << c.text;
        EXPECT_EQ(outcome.MissingServer, c.missingServer) << c.text;
        EXPECT_EQ(Keys(catalogue), c.keys) << c.text;
    }
}

TEST(MissionCatalogueTest, ServerSearchRunsPastTheNextScenarioAndBlocksRunToTheEnd) {
    MissionCatalogue catalogue;
    catalogue.ParseMissionFile("[scenarios]\r\nA={\r\nB={\r\n[server]\r\nname=b\r\n}\r\n"
                               "C={\r\n[server]\r\nname=c\r\nD={\r\nweather=2",
                               "m.nfo");
    EXPECT_EQ(Keys(catalogue), (std::vector<std::string>{"A", "C"}));
    EXPECT_EQ(catalogue.Scenario(1).Name, "b");
    EXPECT_EQ(catalogue.Scenario(2).Weather, 2);
}

TEST(MissionCatalogueTest, ReadsRandomFilesLikeThePlainWalk) {
    const std::string pieces[] = {
        "[Scenarios]", " [ SCENARIOS ] ", "[scenarios", "[server]", "[ SERVER ]\t", "\t[Server]",
        "Hill Fight = {", "={", "= {", "{", "=", "}", " } ", "}x", "name = a b", "NAME=x",
        "Rule Set=Free For All", "weather=-3", "gamelength=2.5", "kill limit = 1e9",
        "scenariotext=a\\b c.txt", "\t", " ", "x", "-", "\x85", std::string(1, '\0'),
        "\t\tIs Night = 1", "\t\tis night=2", "ISNIGHT = 3.5", std::string(40, ' ') + "Weather = 2",
        "teamcount = 12345", "teamcount = 1 2", "teamcount = 7.", "teamcount = 8e1", "gamelength = x5"};
    const std::string lineEnds[] = {"\r\n", "\r\n", "\r\n", "\r", "\n", ""};
    unsigned seed = 2024;
    auto next = [&seed](unsigned bound) {
        return (seed = seed * 1103515245u + 12345u) / 65536u % bound;
    };
    // One catalogue for all files: what it remembers of one file must not change how it reads the next.
    MissionCatalogue catalogue;
    for (int file = 0; file < 3000; ++file) {
        std::string text = next(4) == 0 ? "" : "[scenarios]\r\n";
        for (unsigned n = next(40); n > 0; --n) {
            text += pieces[next(std::size(pieces))];
            if (next(3) == 0) text += pieces[next(std::size(pieces))];
            text += lineEnds[next(std::size(lineEnds))];
        }
        const plain::WalkedFile walked = plain::ParseByWalking(text, "m.nfo");
        const std::size_t before = std::max<std::size_t>(catalogue.ScenarioTable().size(), 1);
        const MissionFileOutcome outcome = catalogue.ParseMissionFile(text, "m.nfo");
        EXPECT_EQ(outcome.HasSection, walked.outcome.HasSection) << text;
        EXPECT_EQ(outcome.MissingServer, walked.outcome.MissingServer) << text;
        const std::vector<ScenarioInfo>& table = catalogue.ScenarioTable();
        const std::vector<ScenarioInfo> records(table.begin() + std::min(before, table.size()), table.end());
        EXPECT_EQ(records, walked.records) << text;
    }
}

TEST(MissionCatalogueTest, LookupsMatchTheKeyAfterTheFirstSeparatorLastOneWinning) {
    const std::string key99(99, 'k');
    MissionCatalogue catalogue;
    catalogue.AddScenario(Record("HillFight", "Hill", "CTF"));
    catalogue.AddScenario(Record("Duel", "Old", "FFA"));
    catalogue.AddScenario(Record(key99 + "k", "Long", "FFA"));
    catalogue.AddScenario(Record(key99, "Cut", "FFA"));
    catalogue.AddScenario(Record("dUEL", "Duel", ""));
    const struct {
        std::string entry;
        int16_t index;
        std::string display;
    } cases[] = {
        {"hill.nfo::hillfight", 1, "Hill CTF"}, {"other.nfo::HILLFIGHT", 1, "Hill CTF"},
        {"x.nfo::Duel", 5, "Duel "},            {"xDuel", 5, "Duel "},
        {"::" + key99 + "k", 4, "Cut FFA"},     {"::" + key99 + "tail", 4, "Cut FFA"},
        {"a::b::Duel", 0, ""},                  {"Duel", 0, ""},
        {"x.nfo::", 0, ""},                     {"", 0, ""},
        {"m.nfo::duel", 5, "Duel "},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(catalogue.FindScenario(c.entry), c.index) << c.entry;
        EXPECT_EQ(catalogue.ScenarioDisplayText(c.entry), c.display) << c.entry;
    }
}

TEST(MissionCatalogueTest, LookupsPreferTheNamedFileWhenItHoldsTheKey) {
    MissionCatalogue catalogue;
    catalogue.AddScenario(Record("Dup", "A", "", "adup.nfo"));
    catalogue.AddScenario(Record("Dup", "A2", "", "adup.nfo"));
    catalogue.AddScenario(Record("Dup", "B", "", "bdup.nfo"));
    catalogue.AddScenario(Record("Solo", "S", "", "adup.nfo"));
    const struct {
        std::string entry;
        int16_t index;
    } cases[] = {
        {"adup.nfo::Dup", 2}, {"ADUP.NFO::dUP", 2}, {"bdup.nfo::Dup", 3}, {"c.nfo::Dup", 3},
        {"::Dup", 3},         {"xDup", 3},          {"bdup.nfo::Solo", 4}, {"adup.nfo::Dup ", 0},
        {"adup.nfo:Dup", 0},  {"adup.nfo::" + std::string(95, 'x'), 0},
    };
    for (const auto& c : cases) EXPECT_EQ(catalogue.FindScenario(c.entry), c.index) << c.entry;
}

// The plain walk over the table that the index must answer like: the named file first.
int16_t FindByWalking(const MissionCatalogue& catalogue, const std::string& entry) {
    const std::size_t separator = entry.find("::");
    const std::size_t start = separator == std::string::npos ? 1 : separator + 2;
    const std::string wanted = LowerCase(start < entry.size() ? entry.substr(start, 99) : "");
    const std::string file = separator == std::string::npos ? "" : LowerCase(entry.substr(0, separator));
    int16_t found = 0;
    int16_t inFile = 0;
    for (int16_t i = 1; i <= catalogue.ScenarioCount(); ++i) {
        const ScenarioInfo& record = catalogue.Scenario(i);
        if (LowerCase(record.ScenarioKey) != wanted) continue;
        found = i;
        if (!file.empty() && LowerCase(record.MissionFile) == file && entry.size() <= 99) inFile = i;
    }
    return inFile != 0 ? inFile : found;
}

TEST(MissionCatalogueTest, IndexAnswersLikeTheWalkOverTheTable) {
    unsigned seed = 12345;
    auto next = [&seed](unsigned bound) {
        return (seed = seed * 1103515245u + 12345u) / 65536u % bound;
    };
    auto randomKey = [&] {
        static const std::string letters = "aAbB:\xc4\xe4";
        std::string key(next(4), ' ');
        for (char& c : key) c = letters[next(static_cast<unsigned>(letters.size()))];
        return next(10) == 0 ? key + std::string(99, 'z') : key;
    };
    MissionCatalogue catalogue;
    const std::string files[] = {"f.nfo", "F.NFO", "g.nfo"};
    for (int i = 0; i < 300; ++i) catalogue.AddScenario(Record(randomKey(), "", "", files[next(3)]));
    for (int i = 0; i < 400; ++i) {
        const std::string prefixes[] = {"f.nfo::", "::", "x", "", "a::", "G.nfo::", "F.nfo::"};
        const std::string entry = prefixes[next(7)] + randomKey();
        EXPECT_EQ(catalogue.FindScenario(entry), FindByWalking(catalogue, entry)) << entry;
    }
}

TEST(MissionCatalogueTest, SlotZeroAndIndexesOutsideTheTableAreTheEmptyRecord) {
    MissionCatalogue catalogue;
    EXPECT_TRUE(catalogue.ScenarioTable().empty());
    EXPECT_TRUE(catalogue.MissionFiles().empty());
    for (int index : {0, 1, -1}) EXPECT_EQ(catalogue.Scenario(index), ScenarioInfo{});
    catalogue.AddScenario(Record("A"));
    for (int index : {0, 2, 40000}) EXPECT_EQ(catalogue.Scenario(index), ScenarioInfo{});
}

TEST(MissionCatalogueTest, TablesStopGrowingAt32767) {
    MissionCatalogue catalogue;
    for (int i = 1; i <= 32767; ++i) {
        ASSERT_TRUE(catalogue.AddScenario(Record("k" + std::to_string(i))));
        ASSERT_TRUE(catalogue.AddMissionFile("f.nfo"));
    }
    EXPECT_FALSE(catalogue.AddScenario(Record("late")));
    EXPECT_FALSE(catalogue.AddMissionFile("late.nfo"));
    catalogue.ParseMissionFile("[scenarios]\r\nlate={\r\n[server]\r\n}", "late.nfo");
    EXPECT_EQ(catalogue.ScenarioCount(), 32767);
    EXPECT_EQ(catalogue.MissionFileCount(), 32767);
    int wrong = 0;
    for (int i = 1; i <= 32767; ++i) wrong += catalogue.FindScenario("::K" + std::to_string(i)) != i;
    EXPECT_EQ(wrong, 0) << "keys not found at their index";
    EXPECT_EQ(catalogue.FindScenario("::late"), 0);
}

TEST(MissionCatalogueTest, Messages) {
    EXPECT_EQ(MissingScenariosMessage("C:\\G\\resource\\missions\\a.nfo"),
              "C:\\G\\resource\\missions\\a.nfo\nis missing Scenarios!\nSkipping File");
    EXPECT_EQ(MissingServerMessage("C:\\G\\resource\\missions\\a.nfo"),
              "Malformed File C:\\G\\resource\\missions\\a.nfo\nmissing [server] in scenario");
}

}  // namespace
}  // namespace rotaplex
