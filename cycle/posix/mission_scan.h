#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "cycle/mission_catalogue.h"
#include "common/reporter.h"

namespace rotaplex::posix {

// GameFolder + "resource/missions/"; gameFolder ends with "/".
std::string MissionsFolder(const std::string& gameFolder);

// The order in which Windows lists names on NTFS: compared after upper-casing, so letter case
// does not count and "_" comes after the letters. Bytes from 0x80 on are compared as they are.
// Names that differ only in case (possible here, not there) keep a fixed order by their bytes.
bool NtfsNameLess(std::string_view a, std::string_view b);

// The ordinary files (links to them included) whose names end in ".nfo" in any letter case, in
// NTFS order. Names starting with "." count as hidden, as Wine shows them, and are left out.
// A missing folder gives no names.
std::vector<std::string> ListMissionFiles(const std::string& gameFolder);

// Reads every mission description file into a catalogue, as the editor does, and reports files
// without scenarios, blocks without "[server]", and files that cannot be read or are too large.
MissionCatalogue ScanMissions(const std::string& gameFolder, Reporter& reporter);

}  // namespace rotaplex::posix
