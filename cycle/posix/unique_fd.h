#pragma once

#include <unistd.h>

#include "common/unique_handle.h"

namespace rotaplex::posix {

struct CloseFd {
    void operator()(int fd) const { ::close(fd); }
};

// Owns one file descriptor and closes it exactly once.
using UniqueFd = UniqueHandle<int, CloseFd, -1>;

}  // namespace rotaplex::posix
