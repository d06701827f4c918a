#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cycle/file_system.h"
#include "cycle/game_session.h"
#include "cycle/mission_catalogue.h"
#include "cycle/rotation_document.h"
#include "cycle/safe_save.h"

namespace rotaplex {

// Named rotation sets: one file a set, "<name>.txt" in the rotation's own format, in the folder
// "rotations" beside servercycle.txt. The server reads only servercycle.txt: a set reaches it by
// being activated. Every name below has passed SetNameRefusal.

// The most characters a set's name may have.
inline constexpr std::size_t kSetNameMost = 64;

// Why a set cannot have the name (one Windows could not give the file "<name>.txt"), or nothing
// when it can.
std::optional<std::string> SetNameRefusal(std::string_view name);

// gameFolder (ending with separator) + "rotations" + separator.
std::string SetsFolder(const std::string& gameFolder, char separator);
std::string SetPath(const std::string& gameFolder, char separator, std::string_view name);

// The names of the sets, in the order the platform lists their files; files whose names no set
// could have are passed over.
std::vector<std::string> ListSets(FileSystem& fs, const std::string& gameFolder);

// A session on a set's file: its saves get servercycle.txt's backup, guard and lock, beside it.
GameSession SetSession(FileSystem& fs, const std::string& gameFolder, std::string_view name);

enum class Activation { Done, Unchanged, NoEntries };
// The rotation's entries become the set's, as one undo step, where its first entry stood; its
// comments and every other line stay. A set without entries is not activated: the server would
// have nothing to play.
Activation Activate(RotationDocument& rotation, const RotationDocument& set, const MissionCatalogue& catalogue);

// Saves the entries of from as the set: a new file ("[cycle]" and the entry lines, the rotations
// folder made when missing), or an existing set's entries replaced with its other lines kept.
// Throws FileError when the folder cannot be made or the set read.
SaveOutcome SaveAsSet(FileSystem& fs, const GameSession& from, std::string_view name);

// The set's file becomes its backup, as a save keeps the version it replaces. Throws FileError
// (NotFound when there is no such set).
void DeleteSet(FileSystem& fs, const std::string& gameFolder, std::string_view name);

// Gives a set another name; a change of letter case alone is one too. Refused with the reason
// when another set has that name. Throws FileError.
std::optional<std::string> RenameSet(FileSystem& fs, const std::string& gameFolder, std::string_view from,
                                     std::string_view to);

}  // namespace rotaplex
