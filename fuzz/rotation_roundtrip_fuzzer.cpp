// A rotation file's text read, written back and read again, against a fixed catalogue.
#include <string>

#include "cycle/rotation_file.h"
#include "fuzz_check.h"

namespace rotaplex::fuzz {
namespace {

// Keys that differ in case only (the last wins), a key holding "::", and one whose written entry
// "b.nfo::" + key fills the 99 characters that a read takes. A longer one would be found through
// a shorter entry but not through its own written line: the entry format's limit. No key is
// empty, so that the entries "map=" and "map=::" stay unmatched.
MissionCatalogue FixedCatalogue() {
    MissionCatalogue catalogue;
    catalogue.ParseMissionFile(
        "[scenarios]\r\nHill Fight={\r\n[server]\r\nname=Hill\r\nruleset=CTF\r\n}\r\n"
        "Duel={\r\n[server]\r\nname=Duel\r\n}\r\n",
        "hill.nfo");
    catalogue.ParseMissionFile("[scenarios]\r\nDUEL={\r\n[server]\r\nruleset=Teams\r\n}\r\n"
                               "a::b={\r\n[server]\r\n}\r\n" +
                                   std::string(92, 'k') + "={\r\n[server]\r\nname=Long\r\n}\r\n",
                               "b.nfo");
    return catalogue;
}

// The text after "map=" that a save writes for an entry: a matched entry is rebuilt from its
// scenario, an unmatched one keeps the text it was read with ("::" when it had none).
std::string SavedSourceText(const CycleEntry& entry, const MissionCatalogue& catalogue) {
    if (entry.ScenarioIndex != 0) return EntryForScenario(catalogue, entry.ScenarioIndex).SourceText;
    return entry.SourceText.empty() ? "::" : entry.SourceText;
}

void CheckRoundTrip(std::string_view text, const MissionCatalogue& catalogue) {
    const RotationText first = ReadRotation(text, catalogue);
    for (const CycleEntry& entry : first.Entries) {
        Require(entry.ScenarioIndex >= 0 && entry.ScenarioIndex <= catalogue.ScenarioCount(),
                "an entry's index is outside the table");
        Require((entry.ScenarioIndex == 0) == entry.DisplayText.empty(),
                "an entry's display text does not follow its match");
    }

    const std::string written = WriteRotation(first.Entries, catalogue);
    const RotationText second = ReadRotation(written, catalogue);
    Require(second.HeaderFound, "the written file has no \"[cycle]\"");
    Require(second.Entries.size() == first.Entries.size(), "the entry count changed");
    for (std::size_t i = 0; i < first.Entries.size(); ++i) {
        const CycleEntry& before = first.Entries[i];
        const CycleEntry& after = second.Entries[i];
        Require(after.ScenarioIndex == before.ScenarioIndex && after.DisplayText == before.DisplayText,
                "an entry names another scenario after a save");
        Require(after.SourceText == SavedSourceText(before, catalogue),
                "an entry's text changed on the way through a save");
    }
    Require(WriteRotation(second.Entries, catalogue) == written, "saving again changed the file");
}

}  // namespace
}  // namespace rotaplex::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    using namespace rotaplex;
    static const MissionCatalogue kCatalogue = fuzz::FixedCatalogue();
    fuzz::CheckRoundTrip(std::string_view(reinterpret_cast<const char*>(data), size), kCatalogue);
    return 0;
}
