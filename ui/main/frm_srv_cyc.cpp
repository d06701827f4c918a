#include "ui/main/frm_srv_cyc.h"

#include <windowsx.h>

#include <stdexcept>

#include "cycle/win/game_folder.h"
#include "cycle/win/mission_scan.h"
#include "cycle/win/rotation_store.h"
#include "cycle/win/system_error.h"
#include "ui/framework/list_box_fill.h"
#include "ui/framework/message_box.h"
#include "ui/framework/twips.h"
#include "ui/main/main_commands.h"

namespace rotaplex {

namespace {

constexpr const char* kClassName = "frmSrvCyc";
constexpr int kLeft = 6420, kTop = 5310;  // twips
constexpr TwipsRect kList1{300, 540, 3015, 3375};
constexpr int kList1Id = 1;

constexpr const char* kQuitTitle = "Quitting";
constexpr const char* kQuitQuestion = "Your quitting with changes!\nDo you want to save the changes?";

std::string SaveFailedMessage(const std::string& path, const std::string& reason) {
    return "The rotation could not be saved to\n" + path + "\n\n" + reason +
           "\n\nThe file is as it was and your changes are still here. Quit again to retry, "
           "or answer No to quit without saving.";
}

}  // namespace

frmSrvCyc::frmSrvCyc(SaveFileSystem& files) : files_(files) {
    RegisterClassOnce(kClassName);
    const TwipsPerPixel tpp = ScreenTwipsPerPixel();
    // Borderless, yet with a taskbar button that minimises and restores it.
    Create(kClassName, kAppTitle, WS_POPUP | WS_CLIPCHILDREN | WS_MINIMIZEBOX | WS_SYSMENU, WS_EX_APPWINDOW,
           PixelsX(kLeft, tpp), PixelsY(kTop, tpp), PixelsX(kMainSkin.ClientWidth, tpp),
           PixelsY(kMainSkin.ClientHeight, tpp), nullptr);
    // Without its window the program would wait in its message loop for ever.
    if (!Window())
        throw std::runtime_error("The main window could not be created.\n" + SystemMessage(GetLastError()));
    list1_ = CreateWindowExA(0, "LISTBOX", nullptr,
                             WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                             PixelsX(kList1.Left, tpp), PixelsY(kList1.Top, tpp), PixelsX(kList1.Width, tpp),
                             PixelsY(kList1.Height, tpp), Window(),
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(kList1Id)), GetModuleHandleA(nullptr),
                             nullptr);
    SendMessageA(list1_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
}

void frmSrvCyc::Load() {
    skin_.ApplyOutline(Window());
    skin_.Paint(Window());
    gameFolder_ = LocateGameFolder();
    MessageBoxReporter reporter(Window());
    missions_ = ScanMissions(gameFolder_, reporter);
    cycle_ = LoadRotation(gameFolder_, missions_, reporter);
    size_t textBytes = 0;
    for (const CycleEntry& entry : cycle_) textBytes += entry.DisplayText.size() + 1;
    const ListBoxBulkFill fill(list1_, static_cast<int>(cycle_.size()), textBytes);
    for (size_t i = 0; i < cycle_.size(); ++i) ListEntry(static_cast<int16_t>(i), cycle_[i]);
}

void frmSrvCyc::Show(int how) {
    ShowWindow(Window(), how);
    UpdateWindow(Window());
}

void frmSrvCyc::InsertEntry(int16_t index, CycleEntry entry) {
    ListEntry(index, entry);
    cycle_.insert(cycle_.begin() + index, std::move(entry));
    cycleChanged_ = -1;
}

void frmSrvCyc::RemoveEntry(int16_t index) {
    SendMessageA(list1_, LB_DELETESTRING, index, 0);
    cycle_.erase(cycle_.begin() + index);
    cycleChanged_ = -1;
}

void frmSrvCyc::ReplaceEntry(int16_t index, CycleEntry entry) {
    const LRESULT selected = SendMessageA(list1_, LB_GETCURSEL, 0, 0);
    SendMessageA(list1_, LB_DELETESTRING, index, 0);
    ListEntry(index, entry);
    SendMessageA(list1_, LB_SETCURSEL, selected, 0);
    cycle_[index] = std::move(entry);
    cycleChanged_ = -1;
}

void frmSrvCyc::ListEntry(int16_t index, const CycleEntry& entry) {
    const LRESULT at =
        SendMessageA(list1_, LB_INSERTSTRING, index, reinterpret_cast<LPARAM>(entry.DisplayText.c_str()));
    SendMessageA(list1_, LB_SETITEMDATA, at, entry.ScenarioIndex);
}

LRESULT frmSrvCyc::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
        const TwipsPerPixel tpp = ScreenTwipsPerPixel();
        MouseDown(message, TwipsX(GET_X_LPARAM(lParam), tpp), TwipsY(GET_Y_LPARAM(lParam), tpp));
        return 0;
    }
    case WM_CLOSE: {
        bool cancel = false;
        Unload(cancel);
        if (!cancel) DestroyWindow(Window());
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_SETFOCUS:
        SetFocus(list1_);
        return 0;
    case WM_ERASEBKGND:
        return 1;  // the skin covers the whole window
    case WM_PAINT:
        skin_.OnPaint(Window());
        return 0;
    default:
        return DefaultHandling(message, wParam, lParam);
    }
}

void frmSrvCyc::MouseDown(UINT button, double x, double y) {
    switch (MainCommandAt(x, y)) {
    case MainCommand::Close:
    case MainCommand::Quit:
        SendMessageA(Window(), WM_CLOSE, 0, 0);
        break;
    case MainCommand::Minimize:
        ShowWindow(Window(), SW_MINIMIZE);
        break;
    case MainCommand::Drag:
        // The system's move loop ends only on a left button-up: started from another button
        // it would leave the window stuck to the pointer.
        if (button == WM_LBUTTONDOWN) WindowSkin::StartDrag(Window());
        break;
    case MainCommand::Add:
    case MainCommand::Edit:
    case MainCommand::Delete:
        break;  // the list commands arrive with their dialogs
    }
}

void frmSrvCyc::Unload(bool& Cancel) {
    skin_.ReleaseOutline();
    if (cycleChanged_ != -1) return;
    switch (MessageBoxA(Window(), kQuitQuestion, kQuitTitle, MB_YESNOCANCEL | MB_ICONQUESTION)) {
    case IDYES:
        Cancel = !SaveCycle();
        break;
    case IDCANCEL:
        Cancel = true;
        break;
    default:
        break;
    }
}

bool frmSrvCyc::SaveCycle() {
    const SaveResult saved = SaveRotation(gameFolder_, cycle_, missions_, files_);
    if (!saved)
        MessageBoxA(Window(), SaveFailedMessage(RotationPath(gameFolder_), saved.Reason).c_str(), kAppTitle,
                    MB_OK | MB_ICONERROR);
    return static_cast<bool>(saved);
}

}  // namespace rotaplex
