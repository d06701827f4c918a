// Mission files read by the catalogue and by the plain walk that cleans every line: the same
// records and the same outcome. The input holds several files, cut at each byte 0x1F (one of the
// control characters the cleaning drops), read one after the other into one catalogue, so that
// what the reader remembers from one file is put to the test on the next.
#include <algorithm>
#include <string>

#include "cycle/mission_catalogue.h"
#include "fuzz_check.h"
#include "tests/plain_mission_walk.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    using namespace rotaplex;
    using fuzz::Require;
    std::string_view input(reinterpret_cast<const char*>(data), size);
    MissionCatalogue catalogue;
    for (int file = 0;; ++file) {
        const std::size_t cut = std::min(input.find('\x1f'), input.size());
        const std::string_view text = input.substr(0, cut);
        const std::string name = "m" + std::to_string(file) + ".nfo";

        const plain::WalkedFile walked = plain::ParseByWalking(text, name);
        const std::size_t before = std::max<std::size_t>(catalogue.ScenarioTable().size(), 1);
        const MissionFileOutcome outcome = catalogue.ParseMissionFile(text, name);
        Require(outcome.HasSection == walked.outcome.HasSection, "the section line is found differently");
        Require(outcome.MissingServer == walked.outcome.MissingServer, "a missing server line is told differently");
        const std::vector<ScenarioInfo>& table = catalogue.ScenarioTable();
        Require(std::equal(table.begin() + static_cast<std::ptrdiff_t>(std::min(before, table.size())),
                           table.end(), walked.records.begin(), walked.records.end()),
                "the records differ from the plain walk's");

        if (cut == input.size()) break;
        input.remove_prefix(cut + 1);
    }
    return 0;
}
