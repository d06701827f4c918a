#include "cli/game_session.h"

namespace rotaplex::cli {

Game OpenGame(const Invocation& invocation) {
    Game game;
    game.Folder = GameFolderPath(invocation.GameFolder);
    RequireGameFolder(game.Folder);
    game.Catalogue = ScanGameMissions(game.Folder, game.Reports);
    return game;
}

}  // namespace rotaplex::cli
