#include "cycle/mission_catalogue.h"

#include <algorithm>

#include "cycle/limits.h"
#include "cycle/line_reader.h"
#include "cycle/portable.h"

namespace rotaplex {

namespace {

// The line kinds are told apart on the line as read, without building its cleaned text: most
// lines are of no interest, and cleaning each of them costs more than reading the file.

// Whether the cleaned line, A to Z lower-cased, equals wanted (which is in lower case).
bool CleansTo(std::string_view line, std::string_view wanted) {
    std::size_t matched = 0;
    for (const char c : line) {
        if (!IsKept(c)) continue;
        if (matched == wanted.size() || LowerChar(c) != wanted[matched]) return false;
        ++matched;
    }
    return matched == wanted.size();
}

bool IsSectionLine(std::string_view line) {
    return CleansTo(line, "[scenarios]");
}

// Where the kept character before end stands, or npos when there is none.
std::size_t PreviousKept(std::string_view line, std::size_t end) {
    while (end > 0) {
        if (IsKept(line[--end])) return end;
    }
    return std::string_view::npos;
}

// Where the "=" of a scenario line's closing "={" stands (its last two kept characters), or npos.
std::size_t ScenarioLineEquals(std::string_view line) {
    const std::size_t brace = PreviousKept(line, line.size());
    if (brace == std::string_view::npos || line[brace] != '{') return std::string_view::npos;
    const std::size_t equals = PreviousKept(line, brace);
    return equals != std::string_view::npos && line[equals] == '=' ? equals : std::string_view::npos;
}

bool IsScenarioLine(std::string_view line) {
    return ScenarioLineEquals(line) != std::string_view::npos;
}

bool IsServerLine(std::string_view line) {
    return CleansTo(line, "[server]");
}

bool IsEndLine(std::string_view line) {
    return CleansTo(line, "}");
}

// Reads on until a line is of the wanted kind; false when the text ends first.
bool ReadUntil(LineReader& reader, std::string_view& line, bool (*isWanted)(std::string_view)) {
    while (reader.Next(line)) {
        if (isWanted(line)) return true;
    }
    return false;
}

// The key an entry names: what follows its first "::" (without one, all but its first
// character), cut to the entry length.
std::string_view WantedKey(std::string_view entry) {
    const std::size_t separator = entry.find("::");
    const std::size_t start = separator == std::string_view::npos ? 1 : separator + 2;
    if (start >= entry.size()) return {};
    return entry.substr(start, kMaxEntryTextLength);
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
    for (std::string_view* text : {&record.ScenarioKey, &record.MissionFile, &record.Name, &record.Ruleset,
                                   &record.ScenarioText}) {
        *text = texts_.Keep(*text);
    }
    return AddKeptScenario(record);
}

bool MissionCatalogue::AddKeptScenario(const ScenarioInfo& record) {
    if (ScenarioCount() >= kMaxTableSize) return false;
    if (scenarios_.empty()) scenarios_.emplace_back();
    scenarios_.push_back(record);
    const auto index = static_cast<int16_t>(scenarios_.size() - 1);
    keyIndex_.Insert(index, scenarios_);
    fileKeyIndex_.Insert(index, scenarios_);
    return true;
}

MissionFileOutcome MissionCatalogue::ParseMissionFile(std::string_view text,
                                                      const std::string& fileName) {
    MissionFileOutcome outcome;
    LineReader reader(text);
    std::string_view line;
    if (!ReadUntil(reader, line, IsSectionLine)) return outcome;
    outcome.HasSection = true;

    // Every scenario of the file shares one copy of its name.
    std::string_view file;
    while (ReadUntil(reader, line, IsScenarioLine)) {
        if (file.empty()) file = texts_.Keep(fileName);
        ScenarioInfo record;
        ResetScenario(record);
        record.MissionFile = file;
        record.ScenarioKey = CleanLineInto(line.substr(0, ScenarioLineEquals(line)), texts_);
        if (!AddKeptScenario(record)) break;
        // The record is in the table before its settings: a block cut short keeps what it read.
        if (!ReadUntil(reader, line, IsServerLine)) {
            outcome.MissingServer = true;
            break;
        }
        ScenarioInfo& added = scenarios_.back();
        // A setting of every line up to the end line, which has no "=" and would set nothing.
        while (reader.Next(line)) {
            const std::size_t equals = FindByte(line, '=');
            if (equals == std::string_view::npos) {
                if (IsEndLine(line)) break;
                continue;
            }
            const int setting = settingKeys_.SettingOf(line, equals);
            if (setting != kNoSetting) ApplySetting(setting, line.substr(equals + 1), added, texts_);
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
    return DisplayText(FindScenario(entry));
}

MissionCatalogue::EntryLookup MissionCatalogue::Lookup(std::string_view entry) {
    const std::size_t separator = entry.find("::");
    const bool withFile = separator != 0 && separator != std::string_view::npos;
    return {entry, KeyIndex::Hashed(withFile ? entry : WantedKey(entry)), withFile};
}

void MissionCatalogue::Anticipate(const EntryLookup& lookup, int step) const {
    const KeyIndex& index = lookup.withFile ? fileKeyIndex_ : keyIndex_;
    if (step == 1) {
        index.PrefetchSlot(lookup.name);
        return;
    }
    const int16_t guess = index.Guess(lookup.name);
    if (guess == 0) return;
    const ScenarioInfo& record = scenarios_[static_cast<std::size_t>(guess)];
    if (step == 2) {
        for (std::size_t offset = 0; offset < sizeof record; offset += 64) {
            Prefetch(reinterpret_cast<const char*>(&record) + offset);
        }
        return;
    }
    for (const std::string_view* text : {&record.ScenarioKey, &record.MissionFile, &record.Name, &record.Ruleset}) {
        Prefetch(text->data());
    }
}

int16_t MissionCatalogue::FindScenario(const EntryLookup& lookup) const {
    if (!lookup.withFile) return keyIndex_.Find(lookup.name, scenarios_);
    if (const int16_t inNamedFile = fileKeyIndex_.Find(lookup.name, scenarios_)) return inNamedFile;
    return keyIndex_.Find(WantedKey(lookup.entry), scenarios_);
}

std::string MissionCatalogue::DisplayText(int16_t index) const {
    if (index == 0) return {};
    const ScenarioInfo& record = Scenario(index);
    // Made at its size, then filled: one allocation and no growth checks.
    std::string text(record.Name.size() + 1 + record.Ruleset.size(), ' ');
    std::copy(record.Name.begin(), record.Name.end(), text.begin());
    std::copy(record.Ruleset.begin(), record.Ruleset.end(), text.end() - static_cast<std::ptrdiff_t>(record.Ruleset.size()));
    return text;
}

std::string MissingScenariosMessage(const std::string& path) {
    return path + "\n" + "is missing Scenarios!" + "\n" + "Skipping File";
}

std::string MissingServerMessage(const std::string& path) {
    return "Malformed File " + path + "\n" + "missing [server] in scenario";
}

}  // namespace rotaplex
