#include "cycle/rotation_sets.h"

#include <gtest/gtest.h>

#include <string>

namespace rotaplex {
namespace {

TEST(RotationSetsTest, NamesWindowsCannotGiveAFileAreRefusedWithTheirReason) {
    const struct {
        std::string name;
        const char* reason;  // a part of it; nothing: the name is taken
    } cases[] = {
        {"weekday", nullptr},
        {"Event 2024 (final)", nullptr},
        {"\xC3\xA9t\xC3\xA9", nullptr},  // UTF-8: counted by characters, not bytes
        {std::string(kSetNameMost, 'a'), nullptr},
        {[] { std::string e; for (std::size_t i = 0; i < kSetNameMost; ++i) e += "\xC3\xA9"; return e; }(), nullptr},
        {"", "Give the set a name."},
        {std::string(kSetNameMost + 1, 'a'), "at most 64 characters"},
        {" weekday", "begin or end with a blank or a dot"},
        {"weekday.", "begin or end with a blank or a dot"},
        {".hidden", "begin or end with a blank or a dot"},
        {"a/b", "cannot hold"},
        {"what?", "cannot hold"},
        {"tab\there", "cannot hold"},
        {"CON", "for a device"},
        {"com1", "for a device"},
    };
    for (const auto& c : cases) {
        const std::optional<std::string> refused = SetNameRefusal(c.name);
        if (!c.reason) {
            EXPECT_FALSE(refused) << c.name << ": " << refused.value_or("");
        } else {
            ASSERT_TRUE(refused) << c.name;
            EXPECT_NE(refused->find(c.reason), std::string::npos) << c.name << ": " << *refused;
        }
    }
}

MissionCatalogue Catalogue() {
    MissionCatalogue catalogue;
    catalogue.ParseMissionFile("[scenarios]\r\nA={\r\n[server]\r\nname=A\r\n}\r\nB={\r\n[server]\r\nname=B\r\n}", "m.nfo");
    return catalogue;
}

TEST(RotationSetsTest, ActivationReplacesTheEntriesAloneAsOneUndoStep) {
    const MissionCatalogue catalogue = Catalogue();
    const struct {
        const char* rotation;
        const char* set;
        Activation outcome;
        const char* after;
    } cases[] = {
        // Comments and settings around and between the entries stay; the set's stand where the
        // first entry stood.
        {"; ours\r\n[cycle]\r\nmap=m.nfo::A\r\n; between\r\nmap=m.nfo::A\r\n; end\r\n",
         "; the set's comment\r\n[cycle]\r\n  map=m.nfo::B\r\nmap=gone.nfo::X\r\n", Activation::Done,
         "; ours\r\n[cycle]\r\nmap=m.nfo::B\r\nmap=gone.nfo::X\r\n; between\r\n; end\r\n"},
        {"[cycle]\r\n; none yet\r\n", "[cycle]\r\nmap=m.nfo::A\r\n", Activation::Done,
         "[cycle]\r\nmap=m.nfo::A\r\n; none yet\r\n"},
        {"", "[cycle]\r\nmap=m.nfo::A\r\n", Activation::Done, "[cycle]\r\nmap=m.nfo::A\r\n"},
        {"[cycle]\r\nmap=m.nfo::A\r\n", "; other\r\n[cycle]\r\nmap=m.nfo::A\r\n", Activation::Unchanged,
         "[cycle]\r\nmap=m.nfo::A\r\n"},
        {"[cycle]\r\nmap=m.nfo::A\r\n", "[cycle]\r\n; empty\r\n", Activation::NoEntries, "[cycle]\r\nmap=m.nfo::A\r\n"},
        // Entries before the header are no entries, in the set as in the server's reading.
        {"[cycle]\r\nmap=m.nfo::A\r\n", "map=m.nfo::B\r\n", Activation::NoEntries, "[cycle]\r\nmap=m.nfo::A\r\n"},
    };
    for (const auto& c : cases) {
        RotationDocument rotation = RotationDocument::Read(c.rotation, catalogue);
        const RotationDocument set = RotationDocument::Read(c.set, catalogue);
        EXPECT_EQ(Activate(rotation, set, catalogue), c.outcome) << c.rotation;
        EXPECT_EQ(rotation.Text(), c.after) << c.rotation;
        EXPECT_EQ(rotation.Changed(), c.outcome == Activation::Done);
        if (c.outcome != Activation::Done) continue;
        rotation.Undo();
        EXPECT_EQ(rotation.Text(), c.rotation);
        EXPECT_FALSE(rotation.CanUndo());
    }
}

}  // namespace
}  // namespace rotaplex
