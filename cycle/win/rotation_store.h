#pragma once

#include <string>

#include "common/reporter.h"
#include "cycle/file_stamp.h"
#include "cycle/rotation_document.h"
#include "cycle/win/file_system.h"

namespace rotaplex {

std::string RotationPath(const std::string& gameFolder);

// Reads GameFolder + "servercycle.txt"; reports a missing "[cycle]", and entries past those the
// list can show. Throws FileError when the file cannot be read at all, or is larger than
// kRotationFileCap. read, when given, gets the stamp that a later save compares against.
RotationDocument LoadRotation(const std::string& gameFolder, const MissionCatalogue& catalogue,
                              Reporter& reporter, FileStamp* read = nullptr);

// Rewrites the rotation file with the document's text; the old file survives any failure. A
// file changed by another program since it was read (see SaveFileGuarded) is left alone unless
// overwriteChanged.
SaveResult SaveRotation(const std::string& gameFolder, const RotationDocument& document, const FileStamp& read,
                        bool overwriteChanged = false,
                        SaveFileSystem& fs = Win32FileSystem());

}  // namespace rotaplex
