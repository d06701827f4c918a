#pragma once

#include <string>
#include <string_view>

#include "cycle/file_system.h"

namespace rotaplex {

// The scenario text file GameFolder + scenarioText as the properties window shows it, in one
// piece: lines ending in CR LF, at most its first kScenarioTextShown bytes (then a line saying
// the rest is not shown). Empty when scenarioText is empty, leads outside the game folder (as
// written, or once its links are resolved), names a device, or is no ordinary file that can be
// read. Text in the ANSI code page, as the file holds it.
std::string ReadScenarioText(FileSystem& fs, const std::string& gameFolder, std::string_view scenarioText);

}  // namespace rotaplex
