#pragma once

#include "cycle/file_system.h"

namespace rotaplex {

// The file system through Win32 calls, with UTF-8 paths made long paths at every call.
FileSystem& WindowsFileSystem();

}  // namespace rotaplex
