#include "cycle/file_system.h"

#include <utility>

namespace rotaplex {

// The path and the reason on lines of their own, as a message box shows them.
FileError::FileError(std::string path, std::string reason, FileFault fault)
    : std::runtime_error(path + "\n" + reason), path_(std::move(path)), reason_(std::move(reason)), fault_(fault) {}

}  // namespace rotaplex
