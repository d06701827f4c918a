#include "cycle/posix/mission_scan.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <memory>

#include "cycle/posix/file_io.h"
#include "cycle/file_rules.h"

namespace rotaplex::posix {

namespace {

constexpr char UpperChar(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool HasMissionExtension(std::string_view name) {
    constexpr std::string_view kExtension = ".nfo";
    return name.size() > kExtension.size() &&
           EqualsIgnoringCase(name.substr(name.size() - kExtension.size()), kExtension);
}

struct CloseDir {
    void operator()(DIR* listing) const { closedir(listing); }
};

bool IsOrdinaryFile(const std::string& path) {
    struct stat status{};
    return stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

}  // namespace

std::string MissionsFolder(const std::string& gameFolder) {
    return gameFolder + "resource/missions/";
}

bool NtfsNameLess(std::string_view a, std::string_view b) {
    const auto upper = [](char c) { return static_cast<unsigned char>(UpperChar(c)); };
    const auto mismatch = std::mismatch(a.begin(), a.end(), b.begin(), b.end(),
                                        [&](char x, char y) { return upper(x) == upper(y); });
    if (mismatch.first == a.end() || mismatch.second == b.end()) {
        if (a.size() != b.size()) return a.size() < b.size();
        return a < b;
    }
    return upper(*mismatch.first) < upper(*mismatch.second);
}

std::vector<std::string> ListMissionFiles(const std::string& gameFolder) {
    std::vector<std::string> names;
    const std::string folder = MissionsFolder(gameFolder);
    const std::unique_ptr<DIR, CloseDir> listing(opendir(folder.c_str()));
    if (!listing) return names;
    while (const dirent* entry = readdir(listing.get())) {
        const std::string_view name = entry->d_name;
        if (name.front() == '.' || !HasMissionExtension(name)) continue;
        if (IsOrdinaryFile(folder + entry->d_name)) names.emplace_back(name);
    }
    std::sort(names.begin(), names.end(), NtfsNameLess);
    return names;
}

MissionCatalogue ScanMissions(const std::string& gameFolder, Reporter& reporter) {
    MissionCatalogue catalogue;
    const std::string folder = MissionsFolder(gameFolder);
    for (const std::string& name : ListMissionFiles(gameFolder)) {
        if (!catalogue.AddMissionFile(name)) break;
        const std::string path = folder + name;
        // Under Wine such a name is a device, which the editor does not read: neither do we.
        if (IsDeviceName(name)) {
            reporter.Report(path + ": " + kNotAFileReason);
            continue;
        }
        try {
            const MissionFileOutcome outcome =
                catalogue.ParseMissionFile(ReadFileBounded(path, kMissionFileCap), name);
            if (!outcome.HasSection) reporter.Report(MissingScenariosMessage(path));
            if (outcome.MissingServer) reporter.Report(MissingServerMessage(path));
        } catch (const FileError& error) {
            reporter.Report(error.what());
        }
    }
    return catalogue;
}

}  // namespace rotaplex::posix
