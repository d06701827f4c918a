#include <sys/stat.h>

#include "cli/cli_error.h"
#include "cli/game_files.h"
#include "cycle/posix/mission_scan.h"
#include "cycle/posix/rotation_store.h"

namespace rotaplex::cli {

namespace {

CliError Failed(const posix::FileError& error) {
    return CliError(kFileFailed, error.what());
}

}  // namespace

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
    return {argv + 1, argv + argc};
}

std::string GameFolderPath(std::string_view argument) {
    std::string folder(argument);
    if (!folder.ends_with('/')) folder += '/';
    return folder;
}

void RequireGameFolder(const std::string& gameFolder) {
    struct stat status{};
    if (stat(gameFolder.c_str(), &status) != 0) throw Failed({gameFolder, posix::ErrnoText(errno)});
    if (!S_ISDIR(status.st_mode)) throw Failed({gameFolder, "not a folder"});
}

MissionCatalogue ScanGameMissions(const std::string& gameFolder, Reporter& reporter) {
    return posix::ScanMissions(gameFolder, reporter);
}

RotationRead ReadGameRotation(const std::string& gameFolder) {
    try {
        posix::RotationRead read = posix::ReadRotationFile(gameFolder);
        return {posix::RotationPath(gameFolder), std::move(read.Text), read.Stamp};
    } catch (const posix::FileError& error) {
        throw Failed(error);
    }
}

void SaveGameRotation(const RotationRead& asRead, const std::string& gameFolder,
                      const std::string& content) {
    try {
        posix::SaveRotationFile(gameFolder, content, asRead.Stamp);
    } catch (const posix::ChangedMeanwhile& error) {
        throw CliError(kFileFailed, error.Path() + ": " + kChangedMeanwhileReason);
    } catch (const posix::FileError& error) {
        throw Failed(error);
    }
}

}  // namespace rotaplex::cli
