#include "cycle/posix/rotation_store.h"

#include "cycle/file_rules.h"

namespace rotaplex::posix {

std::string RotationPath(const std::string& gameFolder) {
    return gameFolder + "servercycle.txt";
}

std::string RotationBackupPath(const std::string& gameFolder) {
    return BackupPath(RotationPath(gameFolder));
}

RotationRead ReadRotationFile(const std::string& gameFolder) {
    RotationRead read;
    read.Text = ReadFileBounded(RotationPath(gameFolder), kRotationFileCap, &read.Stamp);
    return read;
}

ChangedMeanwhile::ChangedMeanwhile(const std::string& path)
    : FileError(path, "changed by another program since it was read") {}

void SaveRotationFile(const std::string& gameFolder, const std::string& content,
                      const FileStamp& asRead) {
    const std::string path = RotationPath(gameFolder);
    std::string current;
    if (StampOf(path, kRotationFileCap, &current) != asRead) throw ChangedMeanwhile(path);
    // Our own name: a link planted there is replaced, never written through.
    SaveFileAtomically(RotationBackupPath(gameFolder), current, AtLink::ReplaceLink);
    SaveFileAtomically(path, content, AtLink::ReplaceTarget);
}

}  // namespace rotaplex::posix
