#include "cycle/win/rotation_store.h"

#include "cycle/file_rules.h"

namespace rotaplex {

std::string RotationPath(const std::string& gameFolder) {
    return gameFolder + "servercycle.txt";
}

CycleList LoadRotation(const std::string& gameFolder, const MissionCatalogue& catalogue, Reporter& reporter,
                       FileStamp* read) {
    FileRead file = ReadFileStamped(RotationPath(gameFolder), kRotationFileCap);
    if (read) *read = file.Stamp;
    RotationText rotation = ReadRotation(file.Bytes, catalogue);
    if (!rotation.HeaderFound) reporter.Report(MissingHeaderMessage(gameFolder));
    return std::move(rotation.Entries);
}

SaveResult SaveRotation(const std::string& gameFolder, const CycleList& entries, const MissionCatalogue& catalogue,
                        const FileStamp& read, bool overwriteChanged, SaveFileSystem& fs) {
    return SaveFileGuarded(RotationPath(gameFolder), WriteRotation(entries, catalogue), read, overwriteChanged, fs);
}

}  // namespace rotaplex
