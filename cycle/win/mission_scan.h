#pragma once

#include <string>
#include <vector>

#include "cycle/mission_catalogue.h"
#include "common/reporter.h"

namespace rotaplex {

// GameFolder + "resource\missions\", where the mission description files are.
std::string MissionsFolder(const std::string& gameFolder);

// Ordinary files matching GameFolder + "resource\missions\*.nfo", in the listing's order, as
// UTF-8. Names that the ANSI code page cannot hold are left out: the rotation names mission
// files in that code page, as the game does, so it could never name them nor the game find them.
std::vector<std::string> ListMissionFiles(const std::string& gameFolder);

// Reads every mission description file into a catalogue, reporting files without scenarios.
// A file that cannot be read is skipped; the scan always goes on.
MissionCatalogue ScanMissions(const std::string& gameFolder, Reporter& reporter);

}  // namespace rotaplex
