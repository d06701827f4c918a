#include "cycle/win/mission_scan.h"

#include "cycle/win/file_system.h"
#include "cycle/win/system_error.h"
#include "cycle/win/unique_handle.h"

namespace rotaplex {

std::string MissionsFolder(const std::string& gameFolder) {
    return gameFolder + "resource\\missions\\";
}

std::vector<std::string> ListMissionFiles(const std::string& gameFolder) {
    std::vector<std::string> names;
    const std::string pattern = MissionsFolder(gameFolder) + "*.nfo";
    WIN32_FIND_DATAA found{};
    unique_hfind search(ValidOrNull(FindFirstFileA(pattern.c_str(), &found)));
    if (!search) return names;
    const DWORD skipped = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    do {
        if ((found.dwFileAttributes & skipped) == 0) names.emplace_back(found.cFileName);
    } while (FindNextFileA(search.get(), &found));
    return names;
}

MissionCatalogue ScanMissions(const std::string& gameFolder, Reporter& reporter) {
    MissionCatalogue catalogue;
    for (std::string& name : ListMissionFiles(gameFolder)) {
        const std::string path = MissionsFolder(gameFolder) + name;
        if (!catalogue.AddMissionFile(name)) break;
        std::string text;
        try {
            text = ReadWholeFile(path);
        } catch (const FileError&) {
            continue;  // a file we cannot read has nothing to offer; the others still count
        }
        const MissionFileOutcome outcome = catalogue.ParseMissionFile(text, name);
        if (!outcome.HasSection) reporter.Report(MissingScenariosMessage(path));
        if (outcome.MissingServer) reporter.Report(MissingServerMessage(path));
    }
    return catalogue;
}

}  // namespace rotaplex
