#pragma once

#include <string>
#include <vector>

#include "cli/game_files.h"
#include "cli/invocation.h"
#include "cycle/mission_catalogue.h"
#include "common/reporter.h"

namespace rotaplex::cli {

// Collects what the editor would show in message boxes.
class CollectingReporter final : public Reporter {
public:
    void Report(const std::string& text) override { Messages.push_back(text); }
    std::vector<std::string> Messages;
};

// What every command reads first: the game folder and its mission catalogue.
struct Game {
    std::string Folder;  // ends with the separator
    CollectingReporter Reports;
    MissionCatalogue Catalogue;
};

Game OpenGame(const Invocation& invocation);

}  // namespace rotaplex::cli
