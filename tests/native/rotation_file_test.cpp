#include "cycle/rotation_document.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace rotaplex {

// Readable failures; found by argument-dependent lookup, so it lives beside CycleEntry.
void PrintTo(const CycleEntry& entry, std::ostream* out) {
    *out << '{' << entry.DisplayText << ", " << entry.ScenarioIndex << ", " << entry.SourceText
         << '}';
}

namespace {

MissionCatalogue Catalogue() {
    MissionCatalogue catalogue;
    catalogue.ParseMissionFile(
        "[scenarios]\r\nHill Fight={\r\n[server]\r\nname=Hill\r\nruleset=CTF\r\n}\r\n"
        "Duel={\r\n[server]\r\nname=Duel\r\n}",
        "hill.nfo");
    return catalogue;
}

std::vector<CycleEntry> Entries(const RotationDocument& document) {
    std::vector<CycleEntry> entries;
    for (std::size_t i = 0; i < document.EntryCount(); ++i) entries.push_back(document.Entry(i));
    return entries;
}

std::vector<int16_t> Indexes(const RotationDocument& document) {
    std::vector<int16_t> indexes;
    for (const CycleEntry& entry : Entries(document)) indexes.push_back(entry.ScenarioIndex);
    return indexes;
}

TEST(RotationFileTest, OnlyTheFirstTrimmedHeaderStartsTheEntries) {
    const MissionCatalogue catalogue = Catalogue();
    const struct {
        std::string text;
        bool headerFound;
        std::vector<int16_t> indexes;
    } cases[] = {
        {"", false, {}},
        {"map=a::Duel\r\n", false, {}},
        {"[cycle] ;main\r\nmap=a::Duel", false, {}},
        {"\t[cycle]\r\nmap=a::Duel", false, {}},
        {"x\r\n  [CYCLE]  ", true, {}},
        {"\xEF\xBB\xBF[cycle]\r\nmap=a::Duel", true, {2}},
        {"x\r\n\xEF\xBB\xBF[cycle]\r\nmap=a::Duel", false, {}},
        {"map=a::hillfight\r\n  [Cycle] \r\nmap=a::Duel\r\n[other]\r\n  MAP=b.nfo::HILLFIGHT  \r\n"
         "[cycle]\r\nmap=::duel\rmap =a::Duel\r\n\tmap=a::Duel\r\nmap=a::nothing\r\nmap=\r\n",
         true, {2, 1, 2, 0, 0}},
    };
    for (const auto& c : cases) {
        const RotationDocument rotation = RotationDocument::Read(c.text, catalogue);
        EXPECT_EQ(rotation.HeaderFound(), c.headerFound) << c.text;
        EXPECT_EQ(Indexes(rotation), c.indexes) << c.text;
    }
}

TEST(RotationFileTest, EntryKeepsItsFullTextButMatchesOnItsFirst99Characters) {
    const std::string fits = std::string(93, 'f') + "::Duel";
    const std::string cut = std::string(95, 'f') + "::Duel";
    const RotationDocument rotation = RotationDocument::Read(
        "[cycle]\r\n map=X.nfo::hillfight \r\nmap=" + fits + "\r\nmap=" + cut, Catalogue());
    EXPECT_EQ(Entries(rotation),
              (std::vector<CycleEntry>{{"Hill CTF", 1, "X.nfo::hillfight"}, {"Duel ", 2, fits}, {"", 0, cut}}));
}

TEST(RotationFileTest, EntryForScenarioNamesItsRecord) {
    const MissionCatalogue catalogue = Catalogue();
    EXPECT_EQ(EntryForScenario(catalogue, 1), (CycleEntry{"Hill CTF", 1, "hill.nfo::HillFight"}));
    RotationDocument document;
    ASSERT_TRUE(document.InsertFirst(2, catalogue));
    EXPECT_EQ(document.Text(), "[cycle]\r\nmap=hill.nfo::Duel\r\n");
}

TEST(RotationFileTest, ReadsAtMost32767Entries) {
    std::string text = "[cycle]\r\n";
    for (int i = 0; i < 32767; ++i) text += "map=a::Duel\r\n";
    text += "map=a::HillFight\r\n";
    const RotationDocument document = RotationDocument::Read(text, Catalogue());
    ASSERT_EQ(document.EntryCount(), 32767u);
    EXPECT_EQ(document.Entry(32766).ScenarioIndex, 2);
    EXPECT_EQ(document.UnlistedEntryCount(), 1u);
}

TEST(RotationFileTest, BadInputIsReadAndWrittenBackByteForByte) {
    unsigned seed = 7;
    auto next = [&seed] { return (seed = seed * 1103515245u + 12345u) / 65536u; };
    const std::string pieces[] = {"[scenarios]", "[server]", "[cycle]", "map=", "::", "={", "}",
                                  "=", "\r", "\n", "\r\n", std::string(1, '\0'), "\xff\x80", " "};
    for (int round = 0; round < 200; ++round) {
        std::string text;
        for (unsigned n = next() % 60; n > 0; --n) {
            text += next() % 3 == 0 ? std::string(1, static_cast<char>(next()))
                                    : pieces[next() % std::size(pieces)];
        }
        MissionCatalogue catalogue;
        catalogue.ParseMissionFile(text, "f.nfo");
        EXPECT_EQ(RotationDocument::Read(text, catalogue).Text(), text);
    }
    const std::string huge = "[scenarios]\r\nA={\r\n[server]\r\nname=" +
                             std::string(4 << 20, '\x9f') + "\r\ngamelength=" +
                             std::string(1 << 20, '9') + "\r\n}";
    MissionCatalogue catalogue;
    catalogue.ParseMissionFile(huge, "f.nfo");
    EXPECT_EQ(catalogue.Scenario(1).GameLength, 32767);
    EXPECT_EQ(RotationDocument::Read("[cycle]\r\nmap=" + huge, catalogue).EntryCount(), 1u);
}

TEST(RotationFileTest, PastedTextGivesItsEntryLinesAndCountsTheOthers) {
    using Lines = std::vector<std::string>;
    const struct {
        const char* shape;
        std::string text;
        Lines entries;
        std::size_t skipped;
    } cases[] = {
        {"copied entries, CR LF", "map=a.nfo::A\r\n  MAP=b.nfo::B  \r\n", {"map=a.nfo::A", "MAP=b.nfo::B"}, 0},
        {"LF and lone CR, a last line without an end", "map=a::A\nmap=b::B\rmap=c::C", {"map=a::A", "map=b::B", "map=c::C"}, 0},
        {"a CR LF is one line end, not two", "map=a::A\r\n\r\nmap=b::B", {"map=a::A", "map=b::B"}, 0},
        {"other lines are counted, blank ones are not", "[cycle]\r\n; note\r\n   \r\n\tmap=a::A\r\nmaps=x\nmap=b::B\r\r",
         {"map=b::B"}, 4},
        {"a line that is only \"map=\"", "map=", {"map="}, 0},
        {"nothing", "", {}, 0},
    };
    for (const auto& c : cases) {
        const PastedLines pasted = ReadPastedLines(c.text);
        EXPECT_EQ(pasted.EntryLines, c.entries) << c.shape;
        EXPECT_EQ(pasted.Skipped, c.skipped) << c.shape;
    }
}

TEST(RotationFileTest, MissingHeaderMessage) {
    EXPECT_EQ(MissingHeaderMessage("C:\\Game\\servercycle.txt"),
              "C:\\Game\\servercycle.txt is malformed or missing [cycle]");
}

}  // namespace
}  // namespace rotaplex
