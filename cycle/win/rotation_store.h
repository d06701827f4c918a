#pragma once

#include <string>

#include "cycle/reporter.h"
#include "cycle/rotation_document.h"
#include "cycle/win/file_system.h"

namespace rotaplex {

std::string RotationPath(const std::string& gameFolder);

// Reads GameFolder + "servercycle.txt"; reports a missing "[cycle]", and entries past those the
// list can show. Throws FileError when the file cannot be read at all.
RotationDocument LoadRotation(const std::string& gameFolder, const MissionCatalogue& catalogue,
                              Reporter& reporter);

// Rewrites the rotation file with the document's text; the old file survives any failure.
SaveResult SaveRotation(const std::string& gameFolder, const RotationDocument& document,
                        SaveFileSystem& fs = Win32FileSystem());

}  // namespace rotaplex
