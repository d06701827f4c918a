#pragma once

#include <stdexcept>
#include <string>

#include "cycle/file_stamp.h"
#include "cycle/posix/file_io.h"

namespace rotaplex::posix {

// GameFolder + "servercycle.txt", and beside it the previous version that a save keeps.
std::string RotationPath(const std::string& gameFolder);
std::string RotationBackupPath(const std::string& gameFolder);

struct RotationRead {
    std::string Text;
    FileStamp Stamp;  // what the save compares against
};

// Reads servercycle.txt within the rotation's cap. Throws FileError.
RotationRead ReadRotationFile(const std::string& gameFolder);

// The file was changed or removed by someone else after it was read; nothing was written.
class ChangedMeanwhile : public FileError {
public:
    explicit ChangedMeanwhile(const std::string& path);
};

// Saves content as servercycle.txt if the file is still as read (else throws ChangedMeanwhile),
// keeping what it held as servercycle.txt.bak. Throws FileError; on any failure the rotation
// file is as it was.
void SaveRotationFile(const std::string& gameFolder, const std::string& content,
                      const FileStamp& asRead);

}  // namespace rotaplex::posix
