// The real Rotaplex.exe, started as the operator starts it and watched from outside.
#include <gtest/gtest.h>

#include <cstdlib>

#include "cycle/win/system_error.h"
#include "cycle/win/unique_handle.h"
#include "test_folder.h"
#include "ui/framework/gdi_handles.h"
#include "window_checks.h"

namespace rotaplex {
namespace {

class Program {
public:
    Program() {
        const char* exe = std::getenv("ROTAPLEX_EXE");
        if (!exe) throw std::runtime_error("ROTAPLEX_EXE is not set");
        std::string commandLine = "\"" + test::WindowsPath(exe) + "\"";
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION started{};
        if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                            &started))
            throw std::runtime_error("cannot start " + commandLine);
        process_.reset(started.hProcess);
        unique_hfile thread(started.hThread);
        id_ = started.dwProcessId;
    }
    ~Program() {
        if (WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) TerminateProcess(process_.get(), 99);
    }

    // The program's shown top-level window of that class and caption, waited for a while;
    // nullptr when the program ended or none came.
    HWND WaitForWindow(const char* className, const char* caption) const {
        for (int tries = 0; tries < 400; ++tries) {
            for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, className, caption));) {
                DWORD owner = 0;
                GetWindowThreadProcessId(w, &owner);
                if (owner == id_ && IsWindowVisible(w)) return w;
            }
            if (WaitForSingleObject(process_.get(), 50) != WAIT_TIMEOUT) return nullptr;
        }
        return nullptr;
    }

    // The exit code once it has ended, STILL_ACTIVE if it does not end in time.
    DWORD WaitForExit() const {
        WaitForSingleObject(process_.get(), 20000);
        DWORD code = STILL_ACTIVE;
        GetExitCodeProcess(process_.get(), &code);
        return code;
    }

private:
    unique_hfile process_;
    DWORD id_ = 0;
};

TEST(RotaplexExe, ShowsTheDemoRotationAndQuitsWithoutChanges) {
    const std::string demo = test::DemoGameFolder();
    test::GameFolderSetting key(demo);
    const std::string before = test::ReadBytes(demo + "servercycle.txt");
    Program program;

    const HWND main = program.WaitForWindow("frmSrvCyc", "Rotaplex");
    ASSERT_NE(main, nullptr);
    const std::vector<test::ListRow> rows = test::ListRows(FindWindowExA(main, nullptr, "ListBox", nullptr));
    ASSERT_EQ(rows.size(), 10u);
    EXPECT_EQ(rows[0].first, "HillFight FreeForAll");
    EXPECT_EQ(rows[6], test::ListRow("", 0)) << "the retired entry";
    unique_hrgn outline(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(main, outline.get()), ERROR);
    test::ExpectPixels(outline.get(), test::kMainOutlinePixels);

    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitForExit(), 0u);
    EXPECT_EQ(test::ReadBytes(demo + "servercycle.txt"), before);
}

TEST(RotaplexExe, RotationThatCannotBeOpenedIsToldAndEndsTheProgram) {
    test::TestFolder empty;
    test::GameFolderSetting key(empty.Path());
    Program program;

    const HWND box = program.WaitForWindow("#32770", "Rotaplex");
    ASSERT_NE(box, nullptr);
    char text[1024] = "";
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    EXPECT_EQ(std::string(text), empty.Path() + "servercycle.txt\n" + SystemMessage(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(FindWindowA("frmSrvCyc", nullptr), nullptr) << "the main window never shows";

    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(program.WaitForExit(), 1u);
}

}  // namespace
}  // namespace rotaplex
