#include "cycle/win/rotation_store.h"

#include "cycle/file_rules.h"

namespace rotaplex {

std::string RotationPath(const std::string& gameFolder) {
    return gameFolder + "servercycle.txt";
}

RotationDocument LoadRotation(const std::string& gameFolder, const MissionCatalogue& catalogue,
                              Reporter& reporter, FileStamp* read) {
    const std::string path = RotationPath(gameFolder);
    const FileRead file = ReadFileStamped(path, kRotationFileCap);
    if (read) *read = file.Stamp;
    RotationDocument document = RotationDocument::Read(file.Bytes, catalogue);
    if (!document.HeaderFound()) reporter.Report(MissingHeaderMessage(gameFolder));
    if (document.UnlistedEntryCount() > 0)
        reporter.Report(UnlistedEntriesMessage(path, document.UnlistedEntryCount()));
    return document;
}

SaveResult SaveRotation(const std::string& gameFolder, const RotationDocument& document, const FileStamp& read,
                        bool overwriteChanged, SaveFileSystem& fs) {
    return SaveFileGuarded(RotationPath(gameFolder), document.Text(), read, overwriteChanged, fs);
}

}  // namespace rotaplex
