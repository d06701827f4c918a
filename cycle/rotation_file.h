#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "cycle/mission_catalogue.h"

namespace rotaplex {

// One rotation entry as the main window's list shows it.
struct CycleEntry {
    std::string DisplayText;    // Name + " " + Ruleset of its scenario, empty when none matched
    int16_t ScenarioIndex = 0;  // index into the ScenarioTable, 0 when none matched
    // Everything after "map=" on the trimmed line it was read from. An entry that matched no
    // scenario is written back with it, so that saving never loses a line.
    std::string SourceText;

    bool operator==(const CycleEntry&) const = default;
};

// The line before the entries.
inline constexpr std::string_view kCycleHeader = "[cycle]";

// Whether a line is the "[cycle]" header; on the file's first line a UTF-8 byte order mark in
// front of it is allowed.
bool IsCycleHeader(std::string_view line, bool firstLine);
// Whether any line of text is that header: the file holds a rotation.
bool HasCycleHeader(std::string_view text);

// The entry an entry line (one after the header) stands for, nothing for any other line.
std::optional<CycleEntry> ReadEntryLine(std::string_view line, const MissionCatalogue& catalogue);
// An entry line's text after "map=" (the line trimmed), nothing for any other line.
std::optional<std::string_view> EntrySource(std::string_view line);
// An entry line trimmed of the blanks around it, nothing for any other line.
std::optional<std::string_view> TrimmedEntryLine(std::string_view line);

// Text pasted into the rotation, as bytes: its entry lines, trimmed, in their order, and how many
// other lines it held (blank lines do not count). CR LF, LF and a lone CR each end a line.
struct PastedLines {
    std::vector<std::string> EntryLines;
    std::size_t Skipped = 0;
};
PastedLines ReadPastedLines(std::string_view text);

// The entry that ADD inserts and EDIT stores for the scenario at index. It shows what its line
// will be read back as: the last scenario with that key in that file.
CycleEntry EntryForScenario(const MissionCatalogue& catalogue, int16_t index);
// The line written for an entry: "map=" + its text.
std::string EntryLine(const CycleEntry& entry);

// A rotation file of no bytes or only blank lines: an empty rotation, not a file without "[cycle]".
bool IsBlankText(std::string_view text);

// The message for a rotation file (servercycle.txt or a set's) without "[cycle]".
std::string MissingHeaderMessage(const std::string& rotationPath);

}  // namespace rotaplex
