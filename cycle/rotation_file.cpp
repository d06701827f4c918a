#include "cycle/rotation_file.h"

#include "cycle/limits.h"
#include "cycle/line_reader.h"

namespace rotaplex {

namespace {

constexpr std::string_view kEntryPrefix = "map=";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Only blanks are trimmed: a tab in front of a line makes it something else.
std::string_view TrimSpaces(std::string_view line) {
    const std::size_t first = line.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return line.substr(first, line.find_last_not_of(' ') - first + 1);
}

bool IsEntryLine(std::string_view trimmed) {
    return EqualsIgnoringCase(trimmed.substr(0, kEntryPrefix.size()), kEntryPrefix);
}

std::string ScenarioEntryText(const ScenarioInfo& record) {
    return std::string(record.MissionFile).append("::").append(record.ScenarioKey);
}

}  // namespace

bool IsCycleHeader(std::string_view line, bool firstLine) {
    if (firstLine && line.starts_with(kByteOrderMark)) line.remove_prefix(kByteOrderMark.size());
    return EqualsIgnoringCase(TrimSpaces(line), kCycleHeader);
}

bool HasCycleHeader(std::string_view text) {
    LineReader reader(text);
    bool first = true;
    for (std::string_view line; reader.Next(line); first = false)
        if (IsCycleHeader(line, first)) return true;
    return false;
}

std::optional<std::string_view> TrimmedEntryLine(std::string_view line) {
    const std::string_view trimmed = TrimSpaces(line);
    if (!IsEntryLine(trimmed)) return std::nullopt;
    return trimmed;
}

std::optional<std::string_view> EntrySource(std::string_view line) {
    const std::optional<std::string_view> trimmed = TrimmedEntryLine(line);
    if (!trimmed) return std::nullopt;
    return trimmed->substr(kEntryPrefix.size());
}

PastedLines ReadPastedLines(std::string_view text) {
    PastedLines pasted;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find_first_of("\r\n"), text.size());
        const std::string_view line = text.substr(0, end);
        if (const std::optional<std::string_view> entry = TrimmedEntryLine(line)) {
            pasted.EntryLines.emplace_back(*entry);
        } else if (!TrimSpaces(line).empty()) {
            ++pasted.Skipped;
        }
        const bool crLf = text.substr(end).starts_with("\r\n");
        text.remove_prefix(std::min(text.size(), end + (crLf ? 2 : 1)));
    }
    return pasted;
}

std::optional<CycleEntry> ReadEntryLine(std::string_view line, const MissionCatalogue& catalogue) {
    const std::optional<std::string_view> source = EntrySource(line);
    if (!source) return std::nullopt;
    const int16_t index = catalogue.FindScenario(source->substr(0, kMaxEntryTextLength));
    return CycleEntry{catalogue.DisplayText(index), index, std::string(*source)};
}

CycleEntry EntryForScenario(const MissionCatalogue& catalogue, int16_t index) {
    std::string text = ScenarioEntryText(catalogue.Scenario(index));
    const std::string_view readBack = std::string_view(text).substr(0, kMaxEntryTextLength);
    return {catalogue.ScenarioDisplayText(readBack), index, std::move(text)};
}

std::string EntryLine(const CycleEntry& entry) {
    return std::string(kEntryPrefix) + entry.SourceText;
}

bool IsBlankText(std::string_view text) { return text.find_first_not_of(" \t\r\n") == std::string_view::npos; }

std::string MissingHeaderMessage(const std::string& rotationPath) {
    return rotationPath + " is malformed or missing [cycle]";
}

}  // namespace rotaplex
