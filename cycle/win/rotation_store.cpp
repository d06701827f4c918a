#include "cycle/win/rotation_store.h"

namespace rotaplex {

std::string RotationPath(const std::string& gameFolder) {
    return gameFolder + "servercycle.txt";
}

RotationDocument LoadRotation(const std::string& gameFolder, const MissionCatalogue& catalogue,
                              Reporter& reporter) {
    const std::string path = RotationPath(gameFolder);
    RotationDocument document = RotationDocument::Read(ReadWholeFile(path), catalogue);
    if (!document.HeaderFound()) reporter.Report(MissingHeaderMessage(gameFolder));
    if (document.UnlistedEntryCount() > 0)
        reporter.Report(UnlistedEntriesMessage(path, document.UnlistedEntryCount()));
    return document;
}

SaveResult SaveRotation(const std::string& gameFolder, const RotationDocument& document,
                        SaveFileSystem& fs) {
    return SaveFileAtomically(RotationPath(gameFolder), document.Text(), fs);
}

}  // namespace rotaplex
