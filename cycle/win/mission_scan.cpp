#include "cycle/win/mission_scan.h"

#include "cycle/file_rules.h"
#include "cycle/win/file_system.h"
#include "cycle/win/system_error.h"
#include "cycle/win/unique_handle.h"
#include "cycle/win/wide_path.h"

namespace rotaplex {

std::string MissionsFolder(const std::string& gameFolder) {
    return gameFolder + "resource\\missions\\";
}

std::vector<std::string> ListMissionFiles(const std::string& gameFolder) {
    std::vector<std::string> names;
    const std::string pattern = MissionsFolder(gameFolder) + "*.nfo";
    WIN32_FIND_DATAW found{};
    unique_hfind search(ValidOrNull(FindFirstFileW(ExtendedPath(pattern).c_str(), &found)));
    if (!search) return names;
    const DWORD skipped = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    std::string ansi;
    do {
        if ((found.dwFileAttributes & skipped) == 0 && ToAnsi(found.cFileName, ansi))
            names.push_back(Utf8(found.cFileName));
    } while (FindNextFileW(search.get(), &found));
    return names;
}

MissionCatalogue ScanMissions(const std::string& gameFolder, Reporter& reporter) {
    MissionCatalogue catalogue;
    std::string ansi;
    for (const std::string& name : ListMissionFiles(gameFolder)) {
        const std::string path = MissionsFolder(gameFolder) + name;
        ToAnsi(Widen(name), ansi);
        if (!catalogue.AddMissionFile(ansi)) break;
        std::string text;
        try {
            text = ReadWholeFile(path, kMissionFileCap);
        } catch (const FileError& error) {
            // Too large to read is worth telling; a file we cannot open has nothing to offer.
            if (error.Code() == ERROR_FILE_TOO_LARGE || error.Code() == ERROR_NOT_ENOUGH_MEMORY)
                reporter.Report(error.what());
            continue;
        }
        const MissionFileOutcome outcome = catalogue.ParseMissionFile(text, ansi);
        if (!outcome.HasSection) reporter.Report(MissingScenariosMessage(path));
        if (outcome.MissingServer) reporter.Report(MissingServerMessage(path));
    }
    return catalogue;
}

}  // namespace rotaplex
