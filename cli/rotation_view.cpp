#include "cli/rotation_view.h"

#include "cycle/limits.h"
#include "cycle/line_reader.h"
#include "cycle/rotation_file.h"

namespace rotaplex::cli {

namespace {

std::string_view TrimSpaces(std::string_view line) {
    const std::size_t first = line.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return line.substr(first, line.find_last_not_of(' ') - first + 1);
}

}  // namespace

RotationView ViewRotation(std::string_view text, const MissionCatalogue& catalogue) {
    RotationView view;
    const RotationText rotation = ReadRotation(text, catalogue);
    view.HeaderFound = rotation.HeaderFound;
    LineReader reader(text);
    std::string_view line;
    bool inCycle = false;
    for (std::size_t number = 1; reader.Next(line); ++number) {
        const std::string_view trimmed = TrimSpaces(line);
        if (!inCycle) {
            inCycle = EqualsIgnoringCase(trimmed, "[cycle]");
            continue;
        }
        if (!EqualsIgnoringCase(trimmed.substr(0, 4), "map=")) continue;
        if (view.Entries.size() == rotation.Entries.size()) {
            ++view.Unlisted;
            continue;
        }
        const CycleEntry& entry = rotation.Entries[view.Entries.size()];
        view.Entries.push_back({number, line, entry.SourceText, entry.ScenarioIndex});
    }
    return view;
}

std::string_view NamedMissionFile(std::string_view reference) {
    const std::size_t separator = reference.find("::");
    return separator == std::string_view::npos ? std::string_view{} : reference.substr(0, separator);
}

}  // namespace rotaplex::cli
