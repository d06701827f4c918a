#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "cycle/key_index.h"
#include "cycle/scenario_info.h"
#include "cycle/setting_key_memo.h"

namespace rotaplex {

// What reading one mission description file found worth telling the user.
struct MissionFileOutcome {
    bool HasSection = false;       // false: the file was skipped, nothing of it entered the table
    bool MissingServer = false;    // a scenario line had no "[server]" line after it before the end
};

// The mission files and the scenarios read from them, with the lookups of rotation entries.
// Indexes are 1-based as the rotation list stores them; slot 0 is the empty record "no scenario".
class MissionCatalogue {
public:
    MissionCatalogue() = default;
    // The records' texts are views into the catalogue's own arena: a copy would share them.
    MissionCatalogue(const MissionCatalogue&) = delete;
    MissionCatalogue& operator=(const MissionCatalogue&) = delete;
    MissionCatalogue(MissionCatalogue&&) = default;
    MissionCatalogue& operator=(MissionCatalogue&&) = default;

    // Appends a file name to MissionFiles; false (and nothing added) once the table is full.
    bool AddMissionFile(std::string name);

    // Reads one file's text and appends its scenarios, tagged with fileName, in file order.
    MissionFileOutcome ParseMissionFile(std::string_view text, const std::string& fileName);

    // Appends one record (used by tests and generators), its texts copied into the catalogue;
    // false once the table is full.
    bool AddScenario(ScenarioInfo record);

    const std::vector<std::string>& MissionFiles() const { return missionFiles_; }
    int16_t MissionFileCount() const;
    const std::vector<ScenarioInfo>& ScenarioTable() const { return scenarios_; }
    int16_t ScenarioCount() const;

    // The record at index; index 0, and any index outside the table, is the empty record.
    const ScenarioInfo& Scenario(int index) const;

    // Name + " " + Ruleset of the scenario FindScenario finds, empty if none.
    std::string ScenarioDisplayText(std::string_view entry) const;
    // Index of the scenario an entry names, 0 if none: the last with the entry's key in the mission
    // file it names (file names compared without regard to case, as the file system does), and
    // when that file holds no such key, or for "::" + key, the last with that key in any file.
    int16_t FindScenario(std::string_view entry) const { return FindScenario(Lookup(entry)); }
    // Name + " " + Ruleset of the scenario at index, empty for index 0.
    std::string DisplayText(int16_t index) const;

    // An entry as FindScenario asks for it first: in which index, under which name, hashed once
    // for every step of a lookup that is announced ahead.
    struct EntryLookup {
        std::string_view entry;
        KeyIndex::HashedName name;
        bool withFile = false;
    };
    static EntryLookup Lookup(std::string_view entry);
    int16_t FindScenario(const EntryLookup& lookup) const;

    // A run of lookups in random order waits for memory at every step of every lookup. Announcing
    // an entry a few lookups ahead, once per step (1: its index slot, 2: its record, 3: the
    // record's texts), has memory fetch what FindScenario and DisplayText will read while other
    // entries are looked up. Changes nothing but what is in the cache.
    static constexpr int kAnticipationSteps = 3;
    void Anticipate(const EntryLookup& lookup, int step) const;

private:
    // AddScenario of a record whose texts are the catalogue's own already.
    bool AddKeptScenario(const ScenarioInfo& record);

    // Every text of the records.
    TextArena texts_;
    // The key spellings of the setting lines read so far: files spell keys alike.
    SettingKeyMemo settingKeys_;
    std::vector<std::string> missionFiles_;
    std::vector<ScenarioInfo> scenarios_;
    // The last record of each key, and of each file and key, kept as records are added.
    KeyIndex keyIndex_;
    KeyIndex fileKeyIndex_{KeyIndex::Naming::FileAndKey};
};

// The messages shown while scanning; path is GameFolder + "resource\missions\" + file name.
std::string MissingScenariosMessage(const std::string& path);
std::string MissingServerMessage(const std::string& path);

}  // namespace rotaplex
