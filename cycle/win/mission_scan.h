#pragma once

#include <string>
#include <vector>

#include "cycle/mission_catalogue.h"
#include "common/reporter.h"

namespace rotaplex {

// GameFolder + "resource\missions\", where the mission description files are.
std::string MissionsFolder(const std::string& gameFolder);

// Ordinary files matching GameFolder + "resource\missions\*.nfo", in the listing's order.
std::vector<std::string> ListMissionFiles(const std::string& gameFolder);

// Reads every mission description file into a catalogue, reporting files without scenarios.
// A file that cannot be read is skipped; the scan always goes on.
MissionCatalogue ScanMissions(const std::string& gameFolder, Reporter& reporter);

}  // namespace rotaplex
