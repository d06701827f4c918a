#pragma once

#include <string_view>

#include "cycle/file_system.h"

namespace rotaplex::posix {

// The order in which Windows lists names on NTFS: compared after upper-casing, so letter case
// does not count and "_" comes after the letters. Bytes from 0x80 on are compared as they are.
// Names that differ only in case (possible here, not there) keep a fixed order by their bytes.
bool NtfsNameLess(std::string_view a, std::string_view b);

// The file system through POSIX calls. Listings come in NTFS order, so that rotaplex-cli on a
// Linux host reads a game folder in the order the game under Wine does.
FileSystem& PosixFileSystem();

}  // namespace rotaplex::posix
