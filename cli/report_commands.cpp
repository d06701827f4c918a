#include "cli/report_commands.h"

#include <algorithm>
#include <cstdint>
#include <optional>

#include "cli/cli_error.h"
#include "cli/game_session.h"
#include "cli/json_writer.h"
#include "cli/plain_text.h"
#include "cli/rotation_view.h"
#include "cycle/rotation_document.h"
#include "cycle/file_rules.h"
#include "cycle/key_index.h"
#include "cycle/rotation_file.h"
#include "cycle/rotation_sets.h"

namespace rotaplex::cli {

namespace {

// A message box's text on one line: its line breaks become blanks, other control characters
// are escaped.
std::string Flattened(std::string text) {
    std::replace(text.begin(), text.end(), '\n', ' ');
    return Escaped(text);
}

// One problem; the members a kind has no use for keep their defaults.
struct Problem {
    std::string_view Kind{};
    std::string Message{};
    std::optional<std::size_t> Line{};        // entry problems: where the entry stands
    std::size_t Position = 0;
    std::string Reference{};
    std::string Set{};                        // set-unmatched
    std::string Key{};                        // duplicate-key
    std::vector<std::string> MissionFiles{};  // duplicate-key
    std::size_t Count = 0;                    // unlisted
};

// Keys that more than one mission file defines, compared as entries are matched (ignoring case),
// in the order of their first definition.
void AddDuplicateKeys(const MissionCatalogue& catalogue, const std::string& missionsFolder,
                      std::vector<Problem>& problems) {
    // The scenarios ordered by the hash of their key (letter case aside, as the index hashes
    // names), in table order under one hash: a key defined twice stands together without a
    // string made for every scenario.
    const auto keyOf = [&](int index) { return catalogue.Scenario(index).ScenarioKey; };
    std::vector<std::pair<uint32_t, int>> byHash;
    byHash.reserve(static_cast<std::size_t>(catalogue.ScenarioCount()));
    for (int i = 1; i <= catalogue.ScenarioCount(); ++i) byHash.emplace_back(KeyIndex::Hashed(keyOf(i)).hash, i);
    std::sort(byHash.begin(), byHash.end());
    std::vector<std::pair<int, Problem>> found;  // with the index of the key's first definition
    std::vector<bool> taken(byHash.size() + 1);
    for (auto group = byHash.begin(); group != byHash.end();) {
        const auto end = std::find_if(group, byHash.end(), [&](const auto& h) { return h.first != group->first; });
        // Keys that only share a hash are told apart here.
        for (auto first = group; end - group > 1 && first != end; ++first) {
            if (taken[static_cast<std::size_t>(first->second)]) continue;
            std::vector<std::string> files;
            for (auto same = first; same != end; ++same) {
                if (!EqualsIgnoringCase(keyOf(same->second), keyOf(first->second))) continue;
                taken[static_cast<std::size_t>(same->second)] = true;
                const std::string_view file = catalogue.Scenario(same->second).MissionFile;
                if (std::none_of(files.begin(), files.end(), [&](const std::string& known) { return EqualsIgnoringCase(known, file); }))
                    files.emplace_back(file);
            }
            if (files.size() > 1)
                found.push_back({first->second, {.Kind = "duplicate-key", .Key = std::string(keyOf(first->second)),
                                                 .MissionFiles = std::move(files)}});
        }
        group = end;
    }
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (auto& [first, problem] : found) {
        std::string message = missionsFolder + ": the key \"" + problem.Key + "\" is defined in more than one mission file:";
        for (const std::string& file : problem.MissionFiles) message += " " + file;
        problem.Message = Escaped(message);
        problems.push_back(std::move(problem));
    }
}

// Where an entry stands, as its problem begins.
std::string Where(const std::string& rotationPath, const ListedEntry& entry) {
    // A lone LF stays inside a line as the files are read; a problem still takes one line.
    return rotationPath + ":" + std::to_string(entry.Line) + ": " + std::string(entry.LineText) + ": ";
}

Problem Unmatched(std::string_view kind, const std::string& rotationPath, const ListedEntry& entry, std::size_t i) {
    return {.Kind = kind, .Message = Escaped(Where(rotationPath, entry) + "matches no scenario"), .Line = entry.Line,
            .Position = i + 1, .Reference = std::string(entry.Reference)};
}

void AddEntryProblems(const RotationView& view, const std::string& rotationPath,
                      const MissionCatalogue& catalogue, std::vector<Problem>& problems) {
    for (std::size_t i = 0; i < view.Entries.size(); ++i) {
        const ListedEntry& entry = view.Entries[i];
        if (entry.Scenario == 0) {
            problems.push_back(Unmatched("unmatched", rotationPath, entry, i));
            continue;
        }
        const ScenarioInfo& record = catalogue.Scenario(entry.Scenario);
        const std::string_view named = NamedMissionFile(entry.Reference);
        if (EqualsIgnoringCase(named, record.MissionFile)) continue;
        const std::string key(record.ScenarioKey);
        const std::string what =
            named.empty() ? std::string("names no mission file") : std::string(named) + " does not hold " + key;
        problems.push_back({.Kind = "wrong-file",
                            .Message = Escaped(Where(rotationPath, entry) + what + "; it plays " + key + " of " + std::string(record.MissionFile)),
                            .Line = entry.Line, .Position = i + 1, .Reference = std::string(entry.Reference)});
    }
}

// The entries of the sets (but the one checked as the rotation) that match nothing: activated,
// the server would skip them.
void AddSetProblems(FileSystem& files, const Game& game, std::vector<Problem>& problems) {
    const std::string& folder = game.Session.Folder();
    for (const std::string& name : ListSets(files, folder)) {
        if (game.Set && EqualsIgnoringCase(name, *game.Set)) continue;
        GameSession set = SetSession(files, folder, name);
        CollectingReporter ignored;
        try {
            set.ReadRotation(ignored, true);
        } catch (const FileError& error) {
            problems.push_back({.Kind = "unreadable-set", .Message = Escaped(error.Path() + ": " + error.Reason()),
                                .Set = name});
            continue;
        }
        const RotationView view = ViewRotation(set.TextAsRead(), game.Session.Catalogue());
        for (std::size_t i = 0; i < view.Entries.size(); ++i) {
            if (view.Entries[i].Scenario != 0) continue;
            problems.push_back(Unmatched("set-unmatched", set.RotationPath(), view.Entries[i], i));
            problems.back().Set = name;
        }
    }
}

void WriteProblemJson(JsonWriter& json, const Problem& problem) {
    json.BeginObject().Member("kind", problem.Kind).Member("message", problem.Message);
    if (problem.Line) {
        json.Member("line", *problem.Line).Member("position", problem.Position)
            .Member("reference", problem.Reference);
    }
    if (!problem.Set.empty()) json.Member("set", problem.Set);
    if (!problem.MissionFiles.empty()) {
        json.Member("key", problem.Key).Key("missionFiles").BeginArray();
        for (const std::string& file : problem.MissionFiles) json.String(file);
        json.EndArray();
    }
    if (problem.Kind == "unlisted") json.Member("count", problem.Count);
    json.EndObject();
}

bool ContainsIgnoringCase(std::string_view text, const std::string& lowerNeedle) {
    return LowerCase(text).find(lowerNeedle) != std::string::npos;
}

bool Selected(const ScenarioInfo& record, const std::string& lowerFilter) {
    return ContainsIgnoringCase(record.MissionFile, lowerFilter) ||
           ContainsIgnoringCase(record.ScenarioKey, lowerFilter) ||
           ContainsIgnoringCase(record.Name, lowerFilter) ||
           ContainsIgnoringCase(record.Ruleset, lowerFilter);
}

}  // namespace

int RunCheck(const Invocation& invocation, Output& out) {
    Game game = OpenGame(invocation);
    ReadRotation(game);
    const MissionCatalogue& catalogue = game.Session.Catalogue();
    const std::string& folder = game.Session.Folder();
    const std::string path = game.Session.RotationPath();
    const RotationView view = ViewRotation(game.Session.TextAsRead(), game.Session.Document());

    std::vector<Problem> problems;
    for (const std::string& message : game.Reports.Messages)
        problems.push_back({.Kind = "mission-file", .Message = Flattened(message)});
    AddDuplicateKeys(catalogue, MissionsFolder(folder, folder.back()), problems);
    if (!view.HeaderFound)
        problems.push_back({.Kind = "missing-header", .Message = Flattened(MissingHeaderMessage(path))});
    AddEntryProblems(view, path, catalogue, problems);
    if (view.Unlisted > 0) {
        problems.push_back({.Kind = "unlisted",
                            .Message = Flattened(UnlistedEntriesMessage(path, view.Unlisted)),
                            .Count = view.Unlisted});
    }
    try {
        for (const std::string& leftover : game.Session.LeftoverTemporaries())
            problems.push_back({.Kind = "leftover-temporary", .Message = Flattened(LeftoverTemporaryMessage(leftover))});
    } catch (const FileError&) {
        // A folder that cannot be listed holds none that a save could remove either.
    }
    AddSetProblems(*invocation.Files, game, problems);

    if (invocation.Json) {
        JsonWriter json(out);
        json.BeginObject().Member("folder", invocation.GameFolder).Key("problems").BeginArray();
        for (const Problem& problem : problems) WriteProblemJson(json, problem);
        json.EndArray().EndObject();
    } else {
        for (const Problem& problem : problems) out << problem.Message << '\n';
    }
    return problems.empty() ? kDone : kProblemsFound;
}

int RunList(const Invocation& invocation, Output& out) {
    Game game = OpenGame(invocation);
    ReadRotation(game);
    const MissionCatalogue& catalogue = game.Session.Catalogue();
    const RotationView view = ViewRotation(game.Session.TextAsRead(), game.Session.Document());
    if (invocation.Json) {
        WriteRotationJson(out, game.Session.RotationPath(), view, catalogue);
        return kDone;
    }
    for (std::size_t i = 0; i < view.Entries.size(); ++i) {
        const ListedEntry& entry = view.Entries[i];
        out << i + 1 << '\t' << Escaped(game.Session.Document().Entry(i).DisplayText) << '\t' << Escaped(entry.Reference)
            << (entry.Scenario == 0 ? "\tmissing\n" : "\n");
    }
    return kDone;
}

int RunScenarios(const Invocation& invocation, Output& out) {
    const Game game = OpenGame(invocation);
    const MissionCatalogue& catalogue = game.Session.Catalogue();
    const std::string filter = invocation.Operands.empty() ? "" : LowerCase(invocation.Operands.front());
    std::optional<JsonWriter> json;
    if (invocation.Json) {
        json.emplace(out);
        json->BeginObject().Key("scenarios").BeginArray();
    }
    bool any = false;
    for (int i = 1; i <= catalogue.ScenarioCount(); ++i) {
        const ScenarioInfo& record = catalogue.Scenario(i);
        if (!Selected(record, filter)) continue;
        any = true;
        if (json) {
            json->BeginObject().Member("index", i).Member("missionFile", record.MissionFile)
                .Member("key", record.ScenarioKey);
            for (const SettingField& setting : SettingFields()) {
                if (setting.text) {
                    json->Member(setting.key, record.*setting.text);
                } else {
                    json->Member(setting.key, record.*setting.number);
                }
            }
            json->EndObject();
            continue;
        }
        out << Escaped(record.MissionFile) << '\t' << Escaped(record.ScenarioKey) << '\t';
        const char* separator = "";
        for (const SettingField& setting : SettingFields()) {
            out << separator << setting.key << '=';
            if (setting.text) {
                out << Escaped(record.*setting.text);
            } else {
                out << record.*setting.number;
            }
            separator = " ";
        }
        out << '\n';
    }
    if (json) json->EndArray().EndObject();
    // As grep: a filter that finds nothing is told by the status.
    return any || invocation.Operands.empty() ? kDone : kNothingFound;
}

}  // namespace rotaplex::cli
