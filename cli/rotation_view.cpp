#include "cli/rotation_view.h"

#include "cli/json_writer.h"
#include "cycle/line_reader.h"

namespace rotaplex::cli {

RotationView ViewRotation(std::string_view text, const MissionCatalogue& catalogue) {
    return ViewRotation(text, RotationDocument::Read(text, catalogue));
}

RotationView ViewRotation(std::string_view text, const RotationDocument& document) {
    std::vector<std::string_view> lines;
    LineReader reader(text);
    for (std::string_view line; reader.Next(line);) lines.push_back(line);

    RotationView view;
    view.HeaderFound = document.HeaderFound();
    view.Unlisted = document.UnlistedEntryCount();
    for (std::size_t i = 0; i < document.EntryCount(); ++i) {
        const std::size_t number = document.EntryLineNumber(i);
        const CycleEntry& entry = document.Entry(i);
        view.Entries.push_back({number, lines[number - 1], entry.SourceText, entry.ScenarioIndex});
    }
    return view;
}

void WriteRotationJson(Output& out, const std::string& file, const RotationView& view,
                       const MissionCatalogue& catalogue) {
    JsonWriter json(out);
    json.BeginObject().Member("file", file).Member("header", view.HeaderFound).Key("entries").BeginArray();
    for (std::size_t i = 0; i < view.Entries.size(); ++i) {
        const ListedEntry& entry = view.Entries[i];
        const ScenarioInfo& record = catalogue.Scenario(entry.Scenario);
        json.BeginObject()
            .Member("position", i + 1)
            .Member("line", entry.Line)
            .Member("display", catalogue.DisplayText(entry.Scenario))
            .Member("reference", entry.Reference)
            .Member("missing", entry.Scenario == 0)
            .Member("missionFile", record.MissionFile)
            .Member("key", record.ScenarioKey)
            .EndObject();
    }
    json.EndArray().Member("unlisted", view.Unlisted).EndObject();
}

std::string_view NamedMissionFile(std::string_view reference) {
    const std::size_t separator = reference.find("::");
    return separator == std::string_view::npos ? std::string_view{} : reference.substr(0, separator);
}

}  // namespace rotaplex::cli
