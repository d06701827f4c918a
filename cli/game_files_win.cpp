#include <windows.h>
#include <shellapi.h>

#include <memory>

#include "cli/cli_error.h"
#include "cli/game_files.h"
#include "cycle/file_rules.h"
#include "cycle/win/file_system.h"
#include "cycle/win/mission_scan.h"
#include "cycle/win/rotation_store.h"
#include "cycle/win/system_error.h"
#include "cycle/win/wide_path.h"

namespace rotaplex::cli {

namespace {

CliError Failed(const std::string& path, const std::string& reason) {
    return CliError(kFileFailed, path + ": " + reason);
}

struct FreeLocal {
    void operator()(LPWSTR* memory) const { LocalFree(memory); }
};

}  // namespace

std::vector<std::string> CommandLineArguments(int, char**) {
    // The ANSI arguments cannot hold every folder name; the layer below takes UTF-8 paths.
    int count = 0;
    const std::unique_ptr<LPWSTR, FreeLocal> wide(CommandLineToArgvW(GetCommandLineW(), &count));
    std::vector<std::string> arguments;
    for (int i = 1; wide && i < count; ++i) arguments.push_back(Utf8(wide.get()[i]));
    return arguments;
}

std::string GameFolderPath(std::string_view argument) {
    std::string folder(argument);
    if (!folder.ends_with('\\') && !folder.ends_with('/')) folder += '\\';
    return folder;
}

void RequireGameFolder(const std::string& gameFolder) {
    const DWORD attributes = GetFileAttributesW(ExtendedPath(gameFolder).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) throw Failed(gameFolder, SystemMessage(GetLastError()));
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) throw Failed(gameFolder, "not a folder");
}

MissionCatalogue ScanGameMissions(const std::string& gameFolder, Reporter& reporter) {
    return ScanMissions(gameFolder, reporter);
}

RotationRead ReadGameRotation(const std::string& gameFolder) {
    const std::string path = RotationPath(gameFolder);
    try {
        FileRead read = ReadFileStamped(path, kRotationFileCap);
        return {path, std::move(read.Bytes), read.Stamp};
    } catch (const FileError& error) {
        throw Failed(path, error.Reason());
    }
}

void SaveGameRotation(const RotationRead& asRead, const std::string&, const std::string& content) {
    const SaveResult saved = SaveFileGuarded(asRead.Path, content, asRead.Stamp, false);
    if (saved.Status == SaveStatus::ChangedOnDisk) throw Failed(asRead.Path, kChangedMeanwhileReason);
    if (!saved) throw Failed(asRead.Path, saved.Reason);
}

}  // namespace rotaplex::cli
