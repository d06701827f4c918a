#include "cycle/win/scenario_text.h"

#include "cycle/file_rules.h"
#include "cycle/win/file_system.h"
#include "cycle/win/game_folder.h"
#include "cycle/win/system_error.h"
#include "cycle/win/wide_path.h"

namespace rotaplex {

std::string ReadScenarioText(const std::string& gameFolder, std::string_view scenarioText) {
    if (scenarioText.empty() || !StaysInside(scenarioText)) return {};
    const std::string path = gameFolder + Utf8FromAnsi(scenarioText);
    if (!FileExists(path, 0)) return {};
    // The window only shows it and stays usable: a file that cannot be read shows nothing.
    try {
        uint64_t size = 0;
        const std::string head = ReadFileHead(path, kScenarioTextShown, size);
        return ShownScenarioText(head, size);
    } catch (const FileError&) {
        return {};
    }
}

}  // namespace rotaplex
