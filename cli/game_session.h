#pragma once

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
};

// Opens the folder the command names and reads its missions; throws CliError when it is no
// folder.
Game OpenGame(const Invocation& invocation);

// Reads servercycle.txt into the session; throws CliError when it cannot be read, or is missing
// and missingFails (else it is an empty rotation).
void ReadRotation(Game& game, bool missingFails = true);

// A failed file operation as the program's error: the file's path and the reason.
[[noreturn]] void ThrowFailed(const std::string& path, const std::string& reason);

}  // namespace rotaplex::cli
