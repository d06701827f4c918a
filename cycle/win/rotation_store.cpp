#include "cycle/win/rotation_store.h"

namespace rotaplex {

std::string RotationPath(const std::string& gameFolder) {
    return gameFolder + "servercycle.txt";
}

CycleList LoadRotation(const std::string& gameFolder, const MissionCatalogue& catalogue,
                       Reporter& reporter) {
    RotationText rotation = ReadRotation(ReadWholeFile(RotationPath(gameFolder)), catalogue);
    if (!rotation.HeaderFound) reporter.Report(MissingHeaderMessage(gameFolder));
    return std::move(rotation.Entries);
}

SaveResult SaveRotation(const std::string& gameFolder, const CycleList& entries,
                        const MissionCatalogue& catalogue, SaveFileSystem& fs) {
    return SaveFileAtomically(RotationPath(gameFolder), WriteRotation(entries, catalogue), fs);
}

}  // namespace rotaplex
