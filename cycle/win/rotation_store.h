#pragma once

#include <string>

#include "cycle/file_stamp.h"
#include "cycle/reporter.h"
#include "cycle/rotation_file.h"
#include "cycle/win/file_system.h"

namespace rotaplex {

std::string RotationPath(const std::string& gameFolder);

// Reads GameFolder + "servercycle.txt"; reports a missing "[cycle]" and returns an empty list.
// Throws FileError when the file cannot be read at all, or is larger than kRotationFileCap.
// read, when given, gets the stamp that a later save compares against.
CycleList LoadRotation(const std::string& gameFolder, const MissionCatalogue& catalogue, Reporter& reporter,
                       FileStamp* read = nullptr);

// Rewrites the rotation file; the old file survives any failure. A file changed by another
// program since it was read (see SaveFileGuarded) is left alone unless overwriteChanged.
SaveResult SaveRotation(const std::string& gameFolder, const CycleList& entries, const MissionCatalogue& catalogue,
                        const FileStamp& read, bool overwriteChanged = false,
                        SaveFileSystem& fs = Win32FileSystem());

}  // namespace rotaplex
