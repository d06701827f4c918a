// Rotaplex: the editor of the game server's mission rotation.
#include <windows.h>

#include <commctrl.h>

#include <cstdlib>
#include <exception>
#include <span>

#include "app/game_folder_choice.h"
#include "ui/framework/message_box.h"
#include "ui/framework/message_loop.h"
#include "ui/main/frm_srv_cyc.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int show) {
    using namespace rotaplex;
    try {
        const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&controls);
        // The arguments after the program's own name.
        const std::optional<std::string> gameFolder =
            ChooseGameFolder(std::span<char* const>(__argv + 1, __argc > 1 ? __argc - 1 : 0));
        if (!gameFolder) return 1;  // the operator cancelled the folder picker
        frmSrvCyc main;
        main.Load(*gameFolder);
        main.Show(show);
        return RunMessageLoop(main.Window(), main.Accelerators());
    } catch (const std::exception& error) {
        // Start-up that cannot go on, or an error that escaped a handler: tell it and end.
        MessageBoxA(nullptr, error.what(), kAppTitle, MB_OK | MB_ICONERROR);
        return 1;
    }
}
