#include "cycle/scenario_text.h"

#include "cycle/file_rules.h"
#include "cycle/scenario_info.h"

namespace rotaplex {

namespace {

// A hidden file is no scenario text, as the game's own tools list none.
bool IsHidden(FileSystem& fs, const std::string& path) {
    const std::size_t separator = path.find_last_of("\\/");
    const std::string name = path.substr(separator + 1);
    for (const ListedName& listed : fs.List(path.substr(0, separator + 1), name))
        if (EqualsIgnoringCase(listed.Name, name)) return listed.Hidden;
    return false;
}

}  // namespace

std::string ReadScenarioText(FileSystem& fs, const std::string& gameFolder, std::string_view scenarioText) {
    if (scenarioText.empty() || !StaysInside(scenarioText)) return {};
    const std::string path = gameFolder + fs.PathFromCodePage(scenarioText);
    // The window only shows it and stays usable: a file that cannot be read shows nothing.
    try {
        if (NamesDevice(path) || fs.KindOf(path) != PathKind::File || IsHidden(fs, path)) return {};
        const std::optional<std::string> folder = fs.FinalPath(gameFolder);
        const std::optional<std::string> file = fs.FinalPath(path);
        // A link inside the folder may lead out of it.
        if (!folder || !file || !file->starts_with(FolderPath(*folder, fs.Separator()))) return {};
        const FileBytes head = fs.ReadHead(*file, kScenarioTextShown);
        return ShownScenarioText(head.Bytes, head.Size);
    } catch (const FileError&) {
        return {};
    }
}

}  // namespace rotaplex
