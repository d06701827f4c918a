#pragma once

#include <string>

#include "common/reporter.h"
#include "cycle/rotation_file.h"
#include "cycle/win/file_system.h"

namespace rotaplex {

std::string RotationPath(const std::string& gameFolder);

// Reads GameFolder + "servercycle.txt"; reports a missing "[cycle]" and returns an empty list.
// Throws FileError when the file cannot be read at all.
CycleList LoadRotation(const std::string& gameFolder, const MissionCatalogue& catalogue,
                       Reporter& reporter);

// Rewrites the rotation file; the old file survives any failure.
SaveResult SaveRotation(const std::string& gameFolder, const CycleList& entries,
                        const MissionCatalogue& catalogue,
                        SaveFileSystem& fs = Win32FileSystem());

}  // namespace rotaplex
