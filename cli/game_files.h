#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "cycle/file_stamp.h"
#include "cycle/mission_catalogue.h"
#include "common/reporter.h"

namespace rotaplex::cli {

// The game folder's files as the commands need them, over the platform's file layer (POSIX or
// Windows, one of them built in). Every failure is a CliError naming the file and the reason.

// The reason given when servercycle.txt changed between reading and saving.
inline constexpr const char* kChangedMeanwhileReason =
    "changed by another program since it was read; nothing was written";

// The program's arguments, without its name, as the file layer takes paths.
std::vector<std::string> CommandLineArguments(int argc, char** argv);

// The folder as given on the command line, ending with the platform's separator.
std::string GameFolderPath(std::string_view argument);

// Fails unless the folder exists and is a folder.
void RequireGameFolder(const std::string& gameFolder);

// The catalogue as the editor builds it, reporting each problem it would report.
MissionCatalogue ScanGameMissions(const std::string& gameFolder, Reporter& reporter);

struct RotationRead {
    std::string Path;
    std::string Text;
    FileStamp Stamp;
};
RotationRead ReadGameRotation(const std::string& gameFolder);

// Saves as the editor saves: atomically, with a backup, and only if the file is still as read.
void SaveGameRotation(const RotationRead& asRead, const std::string& gameFolder,
                      const std::string& content);

}  // namespace rotaplex::cli
