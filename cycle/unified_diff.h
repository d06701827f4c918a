#pragma once

#include <string>
#include <string_view>

namespace rotaplex {

// The change from before to after as a unified diff with three lines of context, name on both
// header lines; empty when the texts are equal. Lines are split as the game's files are read (CR
// LF or a lone CR ends a line) and shown without their ends; a last line without one is marked
// "\ No newline at end of file", as diff does. The diff's own lines end in LF.
std::string UnifiedDiff(std::string_view before, std::string_view after, std::string_view name);

}  // namespace rotaplex
