#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/invocation.h"
#include "common/reporter.h"
#include "cycle/game_session.h"

namespace rotaplex::cli {

// Collects what the editor would show in message boxes; a file that could not be read as one
// line.
class CollectingReporter final : public Reporter {
public:
    void Report(const std::string& text) override { Messages.push_back(text); }
    void ReportUnread(const std::string& path, const std::string& reason) override {
        Messages.push_back(path + ": " + reason);
    }
    std::vector<std::string> Messages;
};

// What every command reads first: the game folder's session with its mission catalogue, and
// the problems the scan reported.
struct Game {
    GameSession Session;
    CollectingReporter Reports;
    std::optional<std::string> Set;  // the set edited instead of servercycle.txt
};

// Opens the folder the command names and reads its missions, the session on the set that --set
// names if any; throws CliError when it is no folder or no name a set can have.
Game OpenGame(const Invocation& invocation);

// Reads the rotation (servercycle.txt or the set's) into the session; throws CliError when it
// cannot be read, or is missing and missingFails (else it is an empty rotation). A set is never
// missing without an error.
void ReadRotation(Game& game, bool missingFails = true);

// A set's name as typed, refused (kBadRequest) when no set can have it.
const std::string& CheckedSetName(const std::string& typed);
// A set's session, its rotation read; throws CliError (kBadRequest when there is no such set).
GameSession ReadSet(FileSystem& files, const std::string& gameFolder, const std::string& name);

// A failed file operation as the program's error: the file's path and the reason.
[[noreturn]] void ThrowFailed(const std::string& path, const std::string& reason);

}  // namespace rotaplex::cli
