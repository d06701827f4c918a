// The bad-input corpus: every game folder that scripts/make-bad-corpus.py writes is started
// through the real Rotaplex.exe, and what the operator sees is checked against one table row.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <ostream>
#include <set>

#include "cycle/file_rules.h"
#include "cycle/report_batch.h"
#include "cycle/rotation_file.h"
#include "cycle/game_session.h"
#include "cycle/scenario_text.h"
#include "cycle/win/system_error.h"
#include "cycle/win/unique_handle.h"
#include "cycle/win/wide_path.h"
#include "cycle/win/windows_file_system.h"
#include "started_program.h"
#include "test_folder.h"
#include "window_checks.h"

namespace rotaplex {
namespace {

const std::string kMissions = "resource\\missions\\";
const std::string kPickerTitle = "Rotaplex: choose the game folder";

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    if (!value) throw std::runtime_error(std::string(name) + " is not set");
    return value;
}

// A corpus folder as a game folder, ending in "\".
std::string CorpusFolder(const std::string& name) {
    return test::WindowsPath(Environment("ROTAPLEX_CORPUS") + "/" + name + "/");
}

std::string WindowText(HWND window) {
    std::wstring wide(GetWindowTextLengthW(window) + 1, L'\0');
    wide.resize(GetWindowTextW(window, wide.data(), static_cast<int>(wide.size())));
    return Utf8(wide);
}

// Rotaplex.exe started as the operator starts it. Every message box it shows is recorded and
// answered with OK from outside, as the operator would, so that no run waits for a person.
class Operator : public test::StartedProgram {
public:
    // The main window once it shows with the folder read (the boxes of a long read come after it
    // shows); nullptr when the program ends first or nothing comes in time.
    HWND AwaitMainWindow() {
        HWND main = nullptr;
        AnswerBoxesUntil([&] { return (main = ReadyMainWindow()) != nullptr; });
        return main;
    }

    // The exit code once the program has ended; STILL_ACTIVE when it does not end in time.
    DWORD AwaitExit() {
        AnswerBoxesUntil([] { return false; });
        return ExitCode();
    }

    std::vector<std::string> Boxes;  // the texts, in the order shown

private:
    // Bounded: a program that neither gets there nor ends is a hang, and the caller's check fails.
    void AnswerBoxesUntil(const std::function<bool()>& done) {
        WaitUntil(
            [&] {
                if (const HWND box = ShownWindow("#32770"); box && answered_.insert(box).second) {
                    if (WindowText(box) == kPickerTitle) {
                        // No usable game folder: the operator cancels the folder picker.
                        Boxes.push_back(kPickerTitle);
                        PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
                        return done();
                    }
                    EXPECT_EQ(WindowText(box), "Rotaplex") << "the title of a box";
                    Boxes.push_back(WindowText(GetDlgItem(box, 0xFFFF)));
                    PostMessageA(box, WM_COMMAND, IDOK, 0);
                }
                return done();
            },
            1500, 20);
    }

    std::set<HWND> answered_;
};

struct Row {
    int Index;
    std::string Text;
    LRESULT ScenarioIndex;
};

// What the test does to a mission file before the start: Linux files have no hidden bit, and
// a file held open without sharing is what really fails to open, also for root.
enum class Before { Nothing, Hide, Lock };

struct Case {
    std::string Folder;
    std::vector<std::string> Boxes;  // in order; "~" stands for the game folder
    int Count = -1;                  // List1's rows; -1: no main window and exit code 1
    std::vector<Row> Rows = {};      // a few of them
    Before Prepare = Before::Nothing;
    const char* File = nullptr;  // the mission file prepared
};

void PrintTo(const Case& c, std::ostream* out) { *out << c.Folder.substr(0, c.Folder.find('/')); }

std::string Skipped(const std::string& file) {
    return "~" + kMissions + file + "\nis missing Scenarios!\nSkipping File";
}
const std::string kNoCycle = "~servercycle.txt is malformed or missing [cycle]";
const Row kHill{0, "HillFight FreeForAll", 1};
const Row kValley{1, "ValleyRun TeamAttrition", 2};
// The second entry matching no mission: its row holds its own reference and the note.
Row SecondUnmatched(const std::string& reference) { return {1, reference + " (not installed)", 0}; }
const std::string kLongFolder = "long-folder/" + std::string(120, 'd') + "/" + std::string(120, 'e');
const std::string kWideFolder = "wide-folder/\u65e5\u672c\u043a\u0430\u0440\u0442\u0430";
// A mission file that could not be read is told, naming it and why.
std::string Unread(const std::string& file, const std::string& reason) { return "~" + kMissions + file + "\n" + reason; }

std::string TooLarge(const std::string& file, uint64_t size, uint64_t cap) {
    return "~" + file + "\n" + TooLargeReason(size, cap);
}
std::vector<std::string> Flood() {
    std::vector<std::string> boxes;
    for (int i = 0; i < 10; ++i) boxes.push_back(Skipped("e0" + std::to_string(i) + ".nfo"));
    boxes.push_back(FurtherReportsQuestion(5));  // answered with neither Yes nor No: the rest is skipped
    return boxes;
}

// One row per folder of the corpus (see the generator for what each holds).
const Case kCases[] = {
    {"binary-nfo", {Skipped("noise.nfo")}, 2, {kHill, kValley}},
    {"nul-bytes", {}, 2, {kHill, {1, "base.nfo::Valley", 0}}},  // cleaned away in the file, not in the entry, whose text ends there
    {"long-line", {}, 2, {{0, std::string(255, 'L') + " FreeForAll", 1}, kValley}},  // a name of 10 MB
    {"many-scenarios", {}, 4,
     {{0, "S1 R", 1}, {1, "S32767 R", 32767}, {2, "many.nfo::S32768 (not installed)", 0},
      {3, "many.nfo::S40000 (not installed)", 0}}},
    {"long-rotation", {UnlistedEntriesMessage("~servercycle.txt", 40000 - 32767)}, 32767,
     {kHill, kValley, {32765, kValley.Text, 2}, {32766, kHill.Text, 1}}},
    {"cr-only", {}, 2, {kHill, kValley}},
    {"lf-only-nfo", {Skipped("lf.nfo")}, 2, {kHill, SecondUnmatched("lf.nfo::RidgeLine")}},
    {"lf-only-rotation", {kNoCycle}, 0},
    {"high-bytes", {}, 2, {kHill, SecondUnmatched("base.nfo::Valley\xe9Run")}},
    {"high-byte-name", {Skipped(Utf8(L"caf\u00e9.nfo"))}, 2, {kHill, SecondUnmatched("caf\xc3\xa9.nfo::RidgeLine")}},
    {"wide-name", {}, 2, {kHill, SecondUnmatched("\xe6\x97\xa5\xe6\x9c\xac.nfo::RidgeLine")}},  // no ANSI name to write it by: left out
    {"empty-nfo", {Skipped("empty.nfo")}, 2, {kHill, kValley}},
    {"folder-nfo", {}, 2, {kHill, kValley}},
    {"hidden-nfo", {}, 2, {kHill, SecondUnmatched("hidden.nfo::RidgeLine")}, Before::Hide, "hidden.nfo"},
    {"locked-nfo", {Unread("locked.nfo", SystemMessage(ERROR_SHARING_VIOLATION))}, 2,
     {kHill, SecondUnmatched("locked.nfo::RidgeLine")},
     Before::Lock, "locked.nfo"},
    {"text-folder", {}, 2, {kHill, kValley}},  // its empty box: the properties window's tests
    {"long-entry", {}, 2, {kHill, SecondUnmatched("base.nfo::HillFight" + std::string(5000 - 23, 'x'))}},
    {"no-cycle", {kNoCycle}, 0},
    {"no-servercycle", {kPickerTitle}},
    {"no-server", {"Malformed File ~" + kMissions + "noserver.nfo\nmissing [server] in scenario"}, 2,
     {kHill, {1, " ", 3}}},  // the scenario stays, with its defaults
    {"big-numbers", {}, 2, {kHill, kValley}},
    {"device-nfo", {Unread("com1.nfo", kNotAFileReason)}, 2, {kHill, SecondUnmatched("com1.nfo::RidgeLine")}},
    {"endless-nfo", {Unread("zero.nfo", kNotAFileReason)}, 2, {kHill, kValley}},
    {"endless-rotation", {"~servercycle.txt\n" + std::string(kNotAFileReason)}},
    {"cap-nfo", {Skipped("cap.nfo")}, 2, {kHill, kValley}},
    {"huge-nfo", {TooLarge(kMissions + "huge.nfo", kMissionFileCap + 1, kMissionFileCap)}, 2, {kHill, kValley}},
    {"cap-rotation", {kNoCycle}, 0},
    {"huge-rotation", {TooLarge("servercycle.txt", kRotationFileCap + 1, kRotationFileCap)}},
    {"flood", Flood(), 2, {kHill, kValley}},
    {kLongFolder, {}, 2, {kHill, kValley}},
    {kWideFolder, {}, 2, {kHill, kValley}},
    {"text-elsewhere", {}, 2, {kHill, kValley}},
    // Not generated: the registry names a folder that is not there.
    {"not-there", {kPickerTitle}},
};

class BadCorpus : public testing::TestWithParam<Case> {};

TEST_P(BadCorpus, StartsAsTheTableSays) {
    const Case& c = GetParam();
    const std::string folder = CorpusFolder(c.Folder);
    const std::string prepared = c.File ? folder + kMissions + c.File : "";
    if (c.Prepare == Before::Hide) {
        ASSERT_TRUE(SetFileAttributesW(Widen(prepared).c_str(), FILE_ATTRIBUTE_HIDDEN));
    }
    unique_hfile held;
    if (c.Prepare == Before::Lock) {
        held.reset(ValidOrNull(CreateFileA(prepared.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)));
        ASSERT_TRUE(held);
    }
    test::GameFolderSetting key(folder);
    test::RememberedFoldersSetting noRecent({});  // a folder the registry does not give asks
    Operator program;

    const HWND main = program.AwaitMainWindow();
    if (c.Count < 0) {
        EXPECT_EQ(main, nullptr) << "no main window";
        EXPECT_EQ(program.AwaitExit(), 1u);
    } else {
        ASSERT_NE(main, nullptr) << "no main window; exit code " << program.AwaitExit();
        // Row by row: reading all 32767 of the long rotation across processes takes half a minute.
        const HWND list1 = FindWindowExA(main, nullptr, "ListBox", nullptr);
        const LRESULT count = SendMessageW(list1, LB_GETCOUNT, 0, 0);
        EXPECT_EQ(count, c.Count);
        for (const Row& row : c.Rows) {
            ASSERT_LT(row.Index, count);
            EXPECT_EQ(test::ListRowAt(list1, row.Index), test::ListRow(row.Text, row.ScenarioIndex))
                << "row " << row.Index;
        }
        PostMessageA(main, WM_CLOSE, 0, 0);
        EXPECT_EQ(program.AwaitExit(), 0u);
    }
    std::vector<std::string> boxes = c.Boxes;
    for (std::string& box : boxes)
        if (const size_t at = box.find('~'); at != std::string::npos) box.replace(at, 1, folder);
    EXPECT_EQ(program.Boxes, boxes);
}

INSTANTIATE_TEST_SUITE_P(Folders, BadCorpus, testing::ValuesIn(kCases), [](const auto& paramInfo) {
    std::string name = paramInfo.param.Folder.substr(0, paramInfo.param.Folder.find('/'));
    for (char& c : name)
        if (c == '-') c = '_';
    return name;
});

// What start-up keeps but the main window does not show: the saturated settings, and the text
// a save writes for a rotation with an unmatched entry of 5000 characters (given in the form a
// save writes, so it must come back byte for byte).
TEST(BadCorpusData, NumbersSaturateAndALongEntryIsWrittenBackWhole) {
    test::CapturingReporter reporter;
    const ScenarioInfo hill = ScanMissions(WindowsFileSystem(), CorpusFolder("big-numbers"), reporter).Scenario(1);
    for (const int16_t number : {hill.GameLength, hill.KillLimitNumber, hill.TeamCount, hill.MaximumTonnage})
        EXPECT_EQ(number, 32767);

    const std::string folder = CorpusFolder("long-entry");
    GameSession session(WindowsFileSystem(), folder);
    session.ReadMissions(reporter);
    session.ReadRotation(reporter);
    EXPECT_EQ(session.Document().Text(), test::ReadBytes(RotationPath(folder)));
    EXPECT_TRUE(reporter.Messages.empty());
}

// Scenario texts outside the game folder, endless or naming a device show an empty box.
TEST(BadCorpusData, ScenarioTextsElsewhereShowNothing) {
    const std::string folder = CorpusFolder("text-elsewhere");
    test::CapturingReporter reporter;
    const MissionCatalogue missions = ScanMissions(WindowsFileSystem(), folder, reporter);
    ASSERT_EQ(missions.ScenarioCount(), 3);
    EXPECT_TRUE(test::Exists(folder + "outside.txt"));
    for (int i = 1; i <= 3; ++i) {
        SCOPED_TRACE(missions.Scenario(i).ScenarioText);
        EXPECT_EQ(ReadScenarioText(WindowsFileSystem(), folder, missions.Scenario(i).ScenarioText), "");
    }
}

}  // namespace
}  // namespace rotaplex
