#include "cycle/entry_search.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace rotaplex {
namespace {

constexpr std::optional<std::size_t> kNone = std::nullopt;

// Entries 1 and 3 match no mission; 0, 2 and 4 show "Hill CTF", "Dusk Attrition", "Hill Brawl".
RotationDocument Rotation() {
    MissionCatalogue catalogue;
    catalogue.ParseMissionFile("[scenarios]\r\nHill={\r\n[server]\r\nname=Hill\r\nruleset=CTF\r\n}\r\n"
                               "Dusk={\r\n[server]\r\nname=Dusk\r\nruleset=Attrition\r\n}\r\n"
                               "Brawl={\r\n[server]\r\nname=Hill\r\nruleset=Brawl\r\n}",
                               "hill.nfo");
    return RotationDocument::Read("[cycle]\r\nmap=hill.nfo::Hill\r\nmap=old.nfo::Quarry\r\nmap=hill.nfo::Dusk\r\n"
                                  "map=gone.nfo::Hillside\r\nmap=hill.nfo::Brawl\r\n",
                                  catalogue);
}

TEST(EntrySearchTest, MissingEntriesNextAndPreviousRoundTheEnds) {
    const RotationDocument rotation = Rotation();
    EXPECT_EQ(MissingEntryCount(rotation), 2u);
    const struct {
        std::optional<std::size_t> from;
        SearchDirection direction;
        std::optional<std::size_t> found;
    } cases[] = {
        {kNone, SearchDirection::Next, 1},  {0, SearchDirection::Next, 1},     {1, SearchDirection::Next, 3},
        {3, SearchDirection::Next, 1},      {4, SearchDirection::Next, 1},     {kNone, SearchDirection::Previous, 3},
        {1, SearchDirection::Previous, 3},  {2, SearchDirection::Previous, 1}, {9, SearchDirection::Next, 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FindMissing(rotation, c.from, c.direction), c.found)
            << "from " << c.from.value_or(99) << (c.direction == SearchDirection::Next ? " on" : " back");

    MissionCatalogue none;
    const RotationDocument lone = RotationDocument::Read("[cycle]\r\nmap=a.nfo::A\r\n", none);
    EXPECT_EQ(FindMissing(lone, 0, SearchDirection::Next), 0u) << "the one missing entry is found from itself";
    EXPECT_EQ(FindMissing(RotationDocument(), kNone, SearchDirection::Next), kNone);
}

TEST(EntrySearchTest, TextIsFoundInDisplayTextOrReferenceAnyCase) {
    const RotationDocument rotation = Rotation();
    const struct {
        const char* text;
        std::optional<std::size_t> from;
        SearchDirection direction;
        std::optional<std::size_t> found;
    } cases[] = {
        {"hill", 0, SearchDirection::Next, 2},       // a matched entry's own reference
        {"SIDE", 0, SearchDirection::Next, 3},       // a missing entry's, letter case aside
        {"ctf", 1, SearchDirection::Next, 0},        // a display text, round the end
        {"quarry", 0, SearchDirection::Previous, 1}, // round the start
        {"brawl", kNone, SearchDirection::Next, 4},
        {"attrition", 2, SearchDirection::Next, 2},    // the selected entry, when it is the only one
        {"nowhere", 0, SearchDirection::Next, kNone},
        {"", 0, SearchDirection::Next, kNone},
    };
    for (const auto& c : cases) EXPECT_EQ(FindText(rotation, c.text, c.from, c.direction), c.found) << c.text;
}

TEST(EntrySearchTest, TypeAheadTakesTheWholePrefix) {
    const RotationDocument rotation = Rotation();
    const struct {
        const char* prefix;
        std::optional<std::size_t> from;
        std::optional<std::size_t> found;
    } cases[] = {
        {"h", kNone, 0},    {"h", 0, 4},          // one letter goes on past the selected entry
        {"hi", 0, 0},       {"hill b", 0, 4},     // more stay on it while it still matches
        {"d", 4, 2},        {"old.", 0, 1},       // a missing entry by the reference its row shows
        {"x", 0, kNone},
    };
    for (const auto& c : cases) EXPECT_EQ(FindPrefix(rotation, c.prefix, c.from), c.found) << c.prefix;

    TypedPrefix typed;
    EXPECT_EQ(typed.Type('h', 5000), "h");
    EXPECT_EQ(typed.Type('i', 5000 + TypedPrefix::kPause), "hi");
    EXPECT_EQ(typed.Type('d', 7000 + TypedPrefix::kPause), "d") << "after a pause, a new prefix";
    EXPECT_EQ(typed.Type('u', 7001 + TypedPrefix::kPause), "du");
}

TEST(EntrySearchTest, ReferenceKeys) {
    EXPECT_EQ(ReferenceKey("old.nfo::Quarry"), "Quarry");
    EXPECT_EQ(ReferenceKey("a::b.nfo::Deep"), "Deep") << "the key follows the last separator";
    EXPECT_EQ(ReferenceKey("Quarry"), "Quarry");
    EXPECT_EQ(ReferenceKey("old.nfo::"), "");
}

TEST(EntrySearchTest, TypedPositions) {
    const struct {
        const char* typed;
        std::optional<std::size_t> index;
    } cases[] = {{"1", 0}, {" 12 ", 11}, {"40", 39}, {"41", kNone}, {"0", kNone},
                 {"", kNone}, {"-3", kNone}, {"3x", kNone}, {"99999999999999999999", kNone}};
    for (const auto& c : cases) EXPECT_EQ(ParsePosition(c.typed, 40), c.index) << "[" << c.typed << "]";
}

}  // namespace
}  // namespace rotaplex
