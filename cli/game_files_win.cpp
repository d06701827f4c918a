#include "cli/cli_error.h"
#include "cli/game_files.h"
#include "cycle/win/file_system.h"
#include "cycle/win/mission_scan.h"
#include "cycle/win/rotation_store.h"
#include "cycle/win/system_error.h"

namespace rotaplex::cli {

namespace {

CliError Failed(const std::string& path, DWORD code) {
    return CliError(kFileFailed, path + ": " + SystemMessage(code));
}

uint64_t WriteTimeOf(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return 0;
    return (uint64_t{data.ftLastWriteTime.dwHighDateTime} << 32) | data.ftLastWriteTime.dwLowDateTime;
}

FileStamp StampOf(const std::string& path, const std::string& text) {
    return {true, text.size(), WriteTimeOf(path), HashBytes(text)};
}

}  // namespace

std::string GameFolderPath(std::string_view argument) {
    std::string folder(argument);
    if (!folder.ends_with('\\') && !folder.ends_with('/')) folder += '\\';
    return folder;
}

void RequireGameFolder(const std::string& gameFolder) {
    const DWORD attributes = GetFileAttributesA(gameFolder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) throw Failed(gameFolder, GetLastError());
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) throw CliError(kFileFailed, gameFolder + ": not a folder");
}

MissionCatalogue ScanGameMissions(const std::string& gameFolder, Reporter& reporter) {
    return ScanMissions(gameFolder, reporter);
}

RotationRead ReadGameRotation(const std::string& gameFolder) {
    const std::string path = RotationPath(gameFolder);
    try {
        std::string text = ReadWholeFile(path);
        const FileStamp stamp = StampOf(path, text);
        return {path, std::move(text), stamp};
    } catch (const FileError& error) {
        throw Failed(path, error.Code());
    }
}

void SaveGameRotation(const RotationRead& asRead, const std::string&, const std::string& content) {
    try {
        if (StampOf(asRead.Path, ReadWholeFile(asRead.Path)) != asRead.Stamp) {
            throw CliError(kFileFailed, asRead.Path +
                                            ": changed by another program since it was read; "
                                            "nothing was written");
        }
    } catch (const FileError& error) {
        throw Failed(asRead.Path, error.Code());
    }
    if (const SaveResult saved = SaveFileAtomically(asRead.Path, content); !saved)
        throw CliError(kFileFailed, asRead.Path + ": " + saved.Reason);
}

}  // namespace rotaplex::cli
