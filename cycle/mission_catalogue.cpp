#include "cycle/mission_catalogue.h"

#include "cycle/limits.h"
#include "cycle/line_reader.h"

namespace rotaplex {

namespace {

bool IsSectionLine(std::string_view cleaned) {
    return EqualsIgnoringCase(cleaned, "[scenarios]");
}

bool IsScenarioLine(std::string_view cleaned) {
    return cleaned.ends_with("={");
}

bool IsServerLine(std::string_view cleaned) {
    return EqualsIgnoringCase(cleaned, "[server]");
}

// Reads on until a cleaned line is of the wanted kind; false when the text ends first.
bool ReadUntil(LineReader& reader, std::string& cleaned, bool (*isWanted)(std::string_view)) {
    std::string_view line;
    while (reader.Next(line)) {
        cleaned = CleanLine(line);
        if (isWanted(cleaned)) return true;
    }
    return false;
}

// The key an entry names: what follows its first "::" (without one, all but its first
// character), cut to the entry length and lower-cased.
std::string WantedKey(std::string_view entry) {
    const std::size_t separator = entry.find("::");
    const std::size_t start = separator == std::string_view::npos ? 1 : separator + 2;
    if (start >= entry.size()) return {};
    return LowerCase(entry.substr(start, kMaxEntryTextLength));
}

template <typename T>
int16_t CountWithoutSlotZero(const std::vector<T>& table) {
    return static_cast<int16_t>(table.empty() ? 0 : table.size() - 1);
}

}  // namespace

bool MissionCatalogue::AddMissionFile(std::string name) {
    if (MissionFileCount() >= kMaxTableSize) return false;
    if (missionFiles_.empty()) missionFiles_.emplace_back();
    missionFiles_.push_back(std::move(name));
    return true;
}

bool MissionCatalogue::AddScenario(ScenarioInfo record) {
    if (ScenarioCount() >= kMaxTableSize) return false;
    if (scenarios_.empty()) scenarios_.emplace_back();
    // A key longer than an entry can hold is never looked for, so it needs no place in the index.
    if (record.ScenarioKey.size() <= kMaxEntryTextLength) {
        keyIndex_[LowerCase(record.ScenarioKey)] = static_cast<int16_t>(scenarios_.size());
    }
    scenarios_.push_back(std::move(record));
    return true;
}

MissionFileOutcome MissionCatalogue::ParseMissionFile(std::string_view text,
                                                      const std::string& fileName) {
    MissionFileOutcome outcome;
    LineReader reader(text);
    std::string cleaned;
    if (!ReadUntil(reader, cleaned, IsSectionLine)) return outcome;
    outcome.HasSection = true;

    while (ReadUntil(reader, cleaned, IsScenarioLine)) {
        ScenarioInfo record;
        ResetScenario(record);
        record.MissionFile = fileName;
        cleaned.resize(cleaned.size() - 2);
        record.ScenarioKey = std::move(cleaned);
        if (!AddScenario(std::move(record))) break;
        // The record is in the table before its settings: a block cut short keeps what it read.
        if (!ReadUntil(reader, cleaned, IsServerLine)) {
            outcome.MissingServer = true;
            break;
        }
        ScenarioInfo& added = scenarios_.back();
        std::string_view line;
        while (reader.Next(line)) {
            cleaned = CleanLine(line);
            ParseSetting(cleaned, added);
            if (cleaned == "}") break;
        }
    }
    return outcome;
}

int16_t MissionCatalogue::MissionFileCount() const {
    return CountWithoutSlotZero(missionFiles_);
}

int16_t MissionCatalogue::ScenarioCount() const {
    return CountWithoutSlotZero(scenarios_);
}

const ScenarioInfo& MissionCatalogue::Scenario(int index) const {
    static const ScenarioInfo kEmpty;
    if (index <= 0 || static_cast<std::size_t>(index) >= scenarios_.size()) return kEmpty;
    return scenarios_[static_cast<std::size_t>(index)];
}

std::string MissionCatalogue::ScenarioDisplayText(std::string_view entry) const {
    const int16_t index = FindScenario(entry);
    if (index == 0) return {};
    const ScenarioInfo& record = Scenario(index);
    return record.Name + " " + record.Ruleset;
}

int16_t MissionCatalogue::FindScenario(std::string_view entry) const {
    const auto found = keyIndex_.find(WantedKey(entry));
    return found == keyIndex_.end() ? 0 : found->second;
}

std::string MissingScenariosMessage(const std::string& path) {
    return path + "\n" + "is missing Scenarios!" + "\n" + "Skipping File";
}

std::string MissingServerMessage(const std::string& path) {
    return "Malformed File " + path + "\n" + "missing [server] in scenario";
}

}  // namespace rotaplex
