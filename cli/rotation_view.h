#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "cli/output.h"
#include "cycle/mission_catalogue.h"
#include "cycle/rotation_document.h"

namespace rotaplex::cli {

// One entry of the rotation as the commands show it.
struct ListedEntry {
    std::size_t Line = 0;       // 1-based line number in the file
    std::string_view LineText;  // the line as it stands in the file, without its end
    std::string Reference;      // what follows "map=" on the trimmed line
    int16_t Scenario = 0;       // index into the catalogue's table, 0 when it matches none
};

struct RotationView {
    bool HeaderFound = false;
    std::vector<ListedEntry> Entries;  // the listed entries, in play order
    std::size_t Unlisted = 0;          // entry lines past the 32767th
};

// The rotation in text as the editor reads it; the view points into text.
RotationView ViewRotation(std::string_view text, const MissionCatalogue& catalogue);
// The same of a document already read from text.
RotationView ViewRotation(std::string_view text, const RotationDocument& document);

// The rotation as list --json gives it: {"file", "header", "entries": [...], "unlisted"}.
void WriteRotationJson(Output& out, const std::string& file, const RotationView& view,
                       const MissionCatalogue& catalogue);

// The mission file an entry names: the part of its reference before the first "::"; empty when
// it has no "::".
std::string_view NamedMissionFile(std::string_view reference);

}  // namespace rotaplex::cli
