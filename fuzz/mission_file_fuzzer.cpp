// One mission description file's whole text read into a catalogue.
#include <string>

#include "cycle/limits.h"
#include "cycle/mission_catalogue.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    using namespace rotaplex;
    using fuzz::Require;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    MissionCatalogue catalogue;
    const MissionFileOutcome outcome = catalogue.ParseMissionFile(text, "m.nfo");

    const std::vector<ScenarioInfo>& table = catalogue.ScenarioTable();
    Require(table.size() <= static_cast<std::size_t>(kMaxTableSize) + 1, "more than 32767 scenarios");
    Require(catalogue.ScenarioCount() == static_cast<int>(table.empty() ? 0 : table.size() - 1),
            "ScenarioCount does not count the table");
    Require(outcome.HasSection || table.empty(), "a file without \"[scenarios]\" gave scenarios");
    Require(table.empty() || table[0] == ScenarioInfo{}, "slot 0 is not the empty record");

    for (int i = 1; i <= catalogue.ScenarioCount(); ++i) {
        const ScenarioInfo& record = catalogue.Scenario(i);
        Require(record.MissionFile == "m.nfo", "a record names another file");
        Require(fuzz::OnlyKept(record.ScenarioKey), "a key holds a character the cleaning drops");
        fuzz::RequireSoundSettings(record);

        // The index answers as a walk over the whole table would: the last record whose key
        // equals this one without regard to case. A key longer than an entry can hold is never found.
        const int16_t found = catalogue.FindScenario("::" + std::string(record.ScenarioKey));
        if (record.ScenarioKey.size() <= kMaxEntryTextLength) {
            Require(found >= i && EqualsIgnoringCase(catalogue.Scenario(found).ScenarioKey,
                                                     record.ScenarioKey),
                    "a key's lookup is not its last record");
        } else {
            Require(found != i, "a key longer than 99 characters was found");
        }
    }
    return 0;
}
