// Rotaplex: the editor of the game server's mission rotation.
#include <windows.h>

#include <commctrl.h>

#include <exception>

#include "app/game_folder_choice.h"
#include "app/game_folder_claim.h"
#include "cycle/remembered_folders.h"
#include "cycle/win/remembered_folders_store.h"
#include "ui/framework/message_loop.h"
#include "ui/main/frm_srv_cyc.h"
#include "ui/message_box.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int show) {
    using namespace rotaplex;
    try {
        const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};  // the tooltips among them
        InitCommonControlsEx(&controls);
        const std::optional<std::string> gameFolder = ChooseGameFolder(CommandLineArguments());
        if (!gameFolder) return 1;  // the operator cancelled the folder picker
        const GameFolderClaim claim(*gameFolder);
        if (!claim.Owned()) {
            claim.ShowOwnerWindow();
            return 0;
        }
        frmSrvCyc main;
        main.Load(*gameFolder);
        WriteRememberedFolders(WithFolderUsed(ReadRememberedFolders(), *gameFolder));
        claim.MarkWindow(main.Window());
        GameFolderClaim::StandClearOfOthers(main.Window());
        main.Show(show);
        return RunMessageLoop(main.Window(), main.Accelerators());
    } catch (const std::exception& error) {
        // Start-up that cannot go on, or an error that escaped a handler: tell it and end.
        ShowMessage(nullptr, error.what(), kAppTitle, MB_OK | MB_ICONERROR);
        return 1;
    }
}
