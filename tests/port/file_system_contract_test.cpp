// The file system's calls and the core's save over them, as one table that runs natively against
// the POSIX layer and under Wine against the Windows layer, so that the two cannot drift apart.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "cycle/file_rules.h"
#include "cycle/game_session.h"
#include "cycle/rotation_sets.h"
#include "cycle/safe_save.h"
#include "cycle/session_reading.h"
#include "faulty_file_system.h"
#include "held_file_system.h"
#include "port_folder.h"

#ifdef _WIN32
#include "cycle/win/windows_file_system.h"
#else
#include "cycle/posix/posix_file_system.h"
#endif

namespace rotaplex {
namespace {

using test::FaultyFileSystem;
using test::PortFolder;
using Step = FaultyFileSystem::Step;
using Status = SaveOutcome::Status;

FileSystem& Files() {
#ifdef _WIN32
    return WindowsFileSystem();
#else
    return posix::PosixFileSystem();
#endif
}

struct Silent final : Reporter {
    void Report(const std::string& text) override { ADD_FAILURE() << text; }
};
struct Collected final : Reporter {
    void Report(const std::string& text) override { texts.push_back(text); }
    std::vector<std::string> texts;
};

// A session on folder with one entry more than was read, and what its save says.
SaveOutcome SaveWithOneMore(FileSystem& fs, const std::string& folder) {
    GameSession session(fs, folder);
    Collected reports;
    session.ReadRotation(reports);
    session.Document().InsertLines(session.Document().EntryCount(), {"map=a.nfo::A"}, session.Catalogue());
    return session.Save(false);
}

// What a call failed with, or "ok".
template <typename Call>
std::string FaultOf(Call call) {
    try {
        call();
        return "ok";
    } catch (const FileError& error) {
        switch (error.Fault()) {
        case FileFault::NotFound: return "not found";
        case FileFault::Exists: return "exists";
        case FileFault::NotAFile: return "not a file";
        case FileFault::TooLarge: return "too large: " + error.Reason();
        default: return "other";
        }
    }
}

TEST(FileSystemContract, ReadsOrdinaryFilesWithinTheirCapOnly) {
    FileSystem& fs = Files();
    PortFolder folder(fs.Separator());
    const std::string bytes("a\0b\r\n\xff\r", 7);
    folder.Write("ten.txt", "0123456789");
    folder.Write("bytes.bin", bytes);
    folder.MakeFolder("sub.nfo");
    const struct {
        const char* name;
        uint64_t cap;
        std::string fault;
    } cases[] = {
        {"ten.txt", 10, "ok"},
        {"ten.txt", 9, "too large: " + TooLargeReason(10, 9)},
        {"bytes.bin", 7, "ok"},
        {"missing.txt", 10, "not found"},
        {"sub.nfo", 10, "not a file"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FaultOf([&] { fs.Read(folder.Path(c.name), c.cap); }), c.fault) << c.name << " " << c.cap;

    EXPECT_EQ(fs.Read(folder.Path("bytes.bin"), 100).Bytes, bytes);
    const FileBytes head = fs.ReadHead(folder.Path("ten.txt"), 3);
    EXPECT_EQ(head.Bytes, "012");
    EXPECT_EQ(head.Size, 10u);
    try {
        fs.Read(folder.Path("missing.txt"), 10);
    } catch (const FileError& error) {
        EXPECT_EQ(error.Path(), folder.Path("missing.txt"));
        EXPECT_EQ(error.Reason(), fs.MissingReason());
        EXPECT_EQ(std::string(error.what()), error.Path() + "\n" + error.Reason());
    }
}

// A listed file is read as it is now, whatever the listing said of it: grown, shrunk or gone.
TEST(FileSystemContract, AListedFileIsReadAsItIsNow) {
    FileSystem& fs = Files();
    PortFolder folder(fs.Separator());
    for (const char* name : {"grown.nfo", "shrunk.nfo", "gone.nfo", "capped.nfo"}) folder.Write(name, "12345");
    const std::vector<ListedName> listed = fs.List(folder.Path(), ".nfo");
    ASSERT_EQ(listed.size(), 4u);
    folder.Write("grown.nfo", "1234567890");
    folder.Write("shrunk.nfo", "12");
    fs.Remove(folder.Path("gone.nfo"));
    const std::map<std::string, std::string> expected{
        {"grown.nfo", "1234567890"}, {"shrunk.nfo", "12"}, {"gone.nfo", "not found"},
        {"capped.nfo", "too large: " + TooLargeReason(5, 4)}};
    for (const ListedName& name : listed) {
        const uint64_t cap = name.Name == "capped.nfo" ? 4 : 100;
        std::string got;
        const std::string fault = FaultOf([&] { got = fs.ReadListed(folder.Path(name.Name), name, cap).Bytes; });
        EXPECT_EQ(fault == "ok" ? got : fault, expected.at(name.Name)) << name.Name;
    }
}

TEST(FileSystemContract, KindsListingsAndFinalPaths) {
    FileSystem& fs = Files();
    PortFolder folder(fs.Separator());
    for (const char* name : {"b.nfo", "A.NFO", "c.txt", "x.nfo.bak"}) folder.Write(name, "");
    folder.MakeFolder("d.nfo");

    EXPECT_EQ(fs.KindOf(folder.Path("b.nfo")), PathKind::File);
    EXPECT_EQ(fs.KindOf(folder.Path("d.nfo")), PathKind::Folder);
    EXPECT_EQ(fs.KindOf(folder.Path("none")), PathKind::Missing);

    std::vector<std::string> listed;
    for (const ListedName& name : fs.List(folder.Path(), ".nfo")) {
        listed.push_back(name.Name + (name.Kind == PathKind::Folder ? "/" : ""));
        EXPECT_EQ(name.InCodePage, name.Name);
        EXPECT_FALSE(name.Hidden);
    }
    // Letter case aside, as NTFS lists them.
    EXPECT_EQ(listed, (std::vector<std::string>{"A.NFO", "b.nfo", "d.nfo/"}));
    EXPECT_TRUE(fs.List(folder.Path("none") + fs.Separator(), ".nfo").empty());

    EXPECT_FALSE(fs.FinalPath(folder.Path("none")).has_value());
    const std::optional<std::string> final = fs.FinalPath(folder.Path("c.txt"));
    ASSERT_TRUE(final.has_value());
    EXPECT_EQ(fs.KindOf(*final), PathKind::File);
}

TEST(FileSystemContract, NamesAreFoundLetterCaseAside) {
    FileSystem& fs = Files();
    PortFolder folder(fs.Separator());
    folder.MakeFolder("Resource");
    folder.Write("ServerCycle.txt", "[cycle]\r\n");
    const char sep = fs.Separator();
    EXPECT_EQ(fs.KindOf(folder.Path("resource")), PathKind::Folder);
    EXPECT_EQ(fs.Read(folder.Path("servercycle.txt"), 100).Bytes, "[cycle]\r\n");
    EXPECT_TRUE(fs.List(folder.Path("RESOURCE") + sep, ".nfo").empty());

    // A save through another spelling replaces the file and keeps its name.
    ASSERT_TRUE(SaveWithOneMore(fs, folder.Path()));
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{"Resource", "ServerCycle.txt", "ServerCycle.txt.bak",
                                                        "servercycle.txt.lock"}));
    EXPECT_EQ(folder.Read("ServerCycle.txt"), "[cycle]\r\nmap=a.nfo::A\r\n");
}

TEST(FileSystemContract, TheNextSaveRemovesWhatASaveCutShortLeft) {
    FileSystem& fs = Files();
    PortFolder folder(fs.Separator());
    folder.Write("servercycle.txt", "[cycle]\r\n");
    const std::string leftover = folder.Write("servercycle.txt.0123456789ABCDEF.tmp", "half");
    for (const char* other : {"servercycle.txt.notours.tmp", "notes.txt.0123456789abcdef.tmp"}) folder.Write(other, "");
    EXPECT_EQ(GameSession(fs, folder.Path()).LeftoverTemporaries(), std::vector<std::string>{leftover});

    ASSERT_TRUE(SaveWithOneMore(fs, folder.Path()));
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{"notes.txt.0123456789abcdef.tmp", "servercycle.txt",
                                                        "servercycle.txt.bak", "servercycle.txt.lock",
                                                        "servercycle.txt.notours.tmp"}));
}

TEST(FileSystemContract, AUtf16RotationIsRefusedByNameAndNeverWritten) {
    FileSystem& fs = Files();
    PortFolder folder(fs.Separator());
    const std::string utf16("\xff\xfe[\0c\0y\0c\0l\0e\0]\0", 16);
    const std::string path = folder.Write("servercycle.txt", utf16);
    GameSession session(fs, folder.Path());
    Silent silent;
    try {
        session.ReadRotation(silent);
        ADD_FAILURE() << "read";
    } catch (const FileError& error) {
        EXPECT_EQ(error.Path(), path);
        EXPECT_EQ(error.Reason(), kUtf16Reason);
    }
    EXPECT_EQ(folder.Read("servercycle.txt"), utf16);
}

// Symbolic links where the platform's test can make them; under Wine a script plants them.
TEST(FileSystemContract, ALinkIsWrittenThroughOnlyToARotation) {
    FileSystem& fs = Files();
    PortFolder folder(fs.Separator());
    const std::string secret = folder.Write("private.txt", "not a rotation");
    const std::string game = folder.MakeFolder("game") + fs.Separator();
    std::error_code failed;
    std::filesystem::create_symlink(secret, game + "servercycle.txt", failed);
    if (failed) GTEST_SKIP() << "no symbolic links here: " << failed.message();
    EXPECT_TRUE(fs.IsLink(game + "servercycle.txt"));
    EXPECT_FALSE(fs.IsLink(secret));
    EXPECT_FALSE(fs.IsLink(folder.Path("none")));

    const SaveOutcome refused = SaveWithOneMore(fs, game);
    EXPECT_EQ(refused.Result, Status::Failed);
    EXPECT_EQ(refused.Reason, NotARotationLinkReason(*fs.FinalPath(secret)));
    EXPECT_EQ(folder.Read("private.txt"), "not a rotation");
    EXPECT_EQ(folder.Read("private.txt.bak"), "(none)");

    folder.Write("private.txt", "[cycle]\r\n");
    ASSERT_TRUE(SaveWithOneMore(fs, game)) << "a rotation is saved through its link";
    EXPECT_EQ(folder.Read("private.txt"), "[cycle]\r\nmap=a.nfo::A\r\n");
}

// Another program's changes as an open editor finds them, and what reading them again does.
TEST(FileSystemContract, ChangesMadeOutsideAreFoundAndReadAgain) {
    FileSystem& fs = Files();
    PortFolder folder(fs.Separator());
    const char sep = fs.Separator();
    const std::string missions = std::string("resource") + sep + "missions" + sep;
    folder.MakeFolder("resource/missions");
    folder.Write("servercycle.txt", "[cycle]\r\nmap=fresh.nfo::Fresh\r\n");
    GameSession session(fs, folder.Path());
    Collected reports;
    session.ReadMissions(reports);
    session.ReadRotation(reports);
    const auto changes = [&] {
        const OutsideChanges found = session.CheckOutside();
        return std::string(found.Rotation ? "rotation " : "") + (found.RotationRemoved ? "removed " : "") +
               (found.Missions ? "missions" : "");
    };
    EXPECT_EQ(changes(), "");
    folder.Write("servercycle.txt", "[cycle]\r\nmap=fresh.nfo::Fresh\r\n");
    EXPECT_EQ(changes(), "") << "the same bytes written again";

    ASSERT_TRUE(session.Document().Remove(0));
    folder.Write("servercycle.txt", "[cycle]\r\nmap=fresh.nfo::Fresh\r\nmap=x.nfo::X\r\n");
    EXPECT_EQ(changes(), "rotation ");
    ASSERT_TRUE(session.ReloadRotation());
    EXPECT_EQ(changes(), "");
    EXPECT_EQ(session.Document().EntryCount(), 2u);
    EXPECT_FALSE(session.Document().Changed()) << "as on disk";
    session.Document().Undo();
    EXPECT_EQ(session.Document().EntryCount(), 0u) << "the edits before, one undo away";
    session.Document().Redo();

    // A mission file arrives: the entry that matched nothing is found.
    EXPECT_EQ(session.Document().Entry(0).ScenarioIndex, 0);
    folder.Write(missions + "fresh.nfo", "[Scenarios]\r\nFresh = {\r\n[server]\r\nname = Fresh\r\n}\r\n");
    EXPECT_EQ(changes(), "missions");
    session.RereadMissions(reports);
    EXPECT_EQ(changes(), "");
    EXPECT_EQ(session.Document().Entry(0).ScenarioIndex, 1);

    fs.Remove(folder.Path("servercycle.txt"));
    EXPECT_EQ(changes(), "removed ");
    EXPECT_TRUE(reports.texts.empty());
}

// The start-up read behind the window, held at its second mission file: how far it got, what
// it hands over, and a stop that ends it before the next file.
TEST(FileSystemContract, AReadBehindTheWindowTellsHowFarItGotAndStops) {
    PortFolder folder(Files().Separator());
    folder.MakeFolder("resource/missions");
    const std::string missions = std::string("resource") + Files().Separator() + "missions" + Files().Separator();
    for (const char* name : {"a", "b", "c"})
        folder.Write(missions + name + ".nfo",
                     std::string("[Scenarios]\r\n") + name + " = {\r\n[server]\r\nname = " + name + "\r\n}\r\n");
    folder.Write("servercycle.txt", "[cycle]\r\nmap=c.nfo::c\r\nmap=gone.nfo::x\r\n");
    for (const bool stopped : {false, true}) {
        test::HeldFileSystem held(Files(), "b.nfo");
        GameSession session(held, folder.Path());
        session.ReadRotationFile();
        SessionReading reading(std::move(session));
        std::thread reader([&] { reading.Run(); });
        held.AwaitHeld();
        EXPECT_FALSE(reading.WaitDone(std::chrono::milliseconds(0)));
        EXPECT_EQ(reading.FilesListed(), 3u);
        EXPECT_EQ(reading.FilesRead(), 1u);
        if (stopped) reading.Stop();
        held.Release();
        reader.join();
        ASSERT_TRUE(reading.WaitDone(std::chrono::milliseconds(0)));
        const GameSession read = reading.Take();
        EXPECT_EQ(reading.FilesRead(), stopped ? 2u : 3u) << "stopped: " << stopped;
        EXPECT_EQ(read.Catalogue().ScenarioCount(), stopped ? 2 : 3);
        ASSERT_EQ(read.Document().EntryCount(), 2u);
        EXPECT_EQ(read.Document().Entry(0).ScenarioIndex, stopped ? 0 : 3) << "matched against what was read";
        Collected told;
        reading.MissionReports().TellTo(told, [](const std::string&) { return true; });
        reading.RotationReports().TellTo(told, [](const std::string&) { return true; });
        EXPECT_TRUE(told.texts.empty());
    }
}

// Keep mine: the version on disk is told no more, yet a save still asks before replacing it; the
// diff shows what replacing it would change.
TEST(FileSystemContract, AVersionKeptOverIsToldOnceAndStillGuardsTheSave) {
    FileSystem& fs = Files();
    PortFolder folder(fs.Separator());
    folder.Write("servercycle.txt", "[cycle]\r\nmap=a.nfo::A\r\n");
    GameSession session(fs, folder.Path());
    Collected reports;
    session.ReadMissions(reports);
    session.ReadRotation(reports);
    ASSERT_TRUE(session.Document().Remove(0));
    folder.Write("servercycle.txt", "[cycle]\r\nmap=a.nfo::A\r\nmap=b.nfo::B\r\n");
    EXPECT_TRUE(session.CheckOutside().Rotation);
    EXPECT_EQ(session.DiffWithDisk(), "--- " + session.RotationPath() + "\n+++ " + session.RotationPath() +
                                          "\n@@ -1,3 +1 @@\n [cycle]\n-map=a.nfo::A\n-map=b.nfo::B\n");
    session.KeepMine();
    EXPECT_FALSE(session.CheckOutside()) << "told once";
    EXPECT_EQ(session.Save().Result, Status::ChangedOnDisk);
    folder.Write("servercycle.txt", "[cycle]\r\n");
    EXPECT_TRUE(session.CheckOutside().Rotation) << "a later version is told again";
    EXPECT_EQ(session.DiffWithDisk(), "") << "the same text as the editor's";

    fs.Remove(folder.Path("servercycle.txt"));
    EXPECT_TRUE(session.CheckOutside().RotationRemoved);
    ASSERT_TRUE(session.Document().Undo());
    EXPECT_TRUE(session.HasUnsaved()) << "a save makes it again, without an edit";
    session.KeepMine();
    EXPECT_FALSE(session.CheckOutside());
    EXPECT_EQ(session.Save().Result, Status::RemovedOnDisk);
}

TEST(FileSystemContract, NewNamesNeverWriteThroughWhatIsThere) {
    FileSystem& fs = Files();
    PortFolder folder(fs.Separator());
    const std::string planted = folder.Write("planted", "theirs");
    EXPECT_EQ(FaultOf([&] { fs.Create(planted, planted); }), "exists");
    EXPECT_EQ(FaultOf([&] { fs.Link(planted, planted); }), "exists");
    EXPECT_EQ(folder.Read("planted"), "theirs");

    const std::unique_ptr<WrittenFile> file = fs.Create(folder.Path("new"), planted);
    file->Write("mine");
    file->Finish();
    fs.Rename(folder.Path("new"), planted);
    EXPECT_EQ(folder.Read("planted"), "mine");
    EXPECT_TRUE(fs.Remove(planted));
    EXPECT_FALSE(fs.Remove(planted));
}

TEST(FileSystemContract, OneLockHolderAtATime) {
    FileSystem& fs = Files();
    PortFolder folder(fs.Separator());
    const std::string path = folder.Path("servercycle.txt.lock");
    std::unique_ptr<FolderLock> first = fs.TryLock(path);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(fs.TryLock(path), nullptr);
    first.reset();
    EXPECT_NE(fs.TryLock(path), nullptr);
}

// A save through the real layer with one step made to fail: the file holds the old bytes or the
// new, the outcome says which, and nothing the save made is left behind.
TEST(FileSystemContract, EverySaveStepThatFailsLeavesTheOldFileAndSaysSo) {
    const struct {
        Step failing;
        int nth;
        bool existed;
        Status result;
        const char* file;
        const char* backup;
        bool backupConcerned;
    } cases[] = {
        {Step::None, 1, true, Status::Saved, "new", "old", false},
        {Step::None, 1, false, Status::Saved, "new", "(none)", false},
        {Step::Create, 1, true, Status::Failed, "old", "older", false},
        {Step::Write, 1, true, Status::Failed, "old", "older", false},
        {Step::Finish, 1, true, Status::Failed, "old", "older", false},
        // Without second names the backup is a copy of what was read.
        {Step::Link, 1, true, Status::Saved, "new", "old", false},
        {Step::Rename, 1, true, Status::Failed, "old", "older", true},
        {Step::Rename, 1, false, Status::Failed, "(none)", "older", false},
        {Step::Rename, 2, true, Status::Failed, "old", "old", false},
        // After the replace: saved, the failure told beside it.
        {Step::Sync, 1, true, Status::Saved, "new", "old", false},
    };
    for (const auto& c : cases) {
        FaultyFileSystem fs(Files(), c.failing, c.nth);
        PortFolder folder(fs.Separator());
        if (c.existed) folder.Write("servercycle.txt", "old");
        folder.Write("servercycle.txt.bak", "older");
        const std::string path = folder.Path("servercycle.txt");
        const FileStamp asRead = c.existed ? StampOf(fs.Read(path, 100)) : FileStamp{};

        const SaveOutcome saved = SaveGuarded(fs, path, "new", asRead, false, 100);
        const std::string row = std::to_string(static_cast<int>(c.failing)) + "/" + std::to_string(c.nth);
        EXPECT_EQ(saved.Result, c.result) << row;
        EXPECT_EQ(folder.Read("servercycle.txt"), c.file) << row;
        EXPECT_EQ(folder.Read("servercycle.txt.bak"), c.existed ? c.backup : "older") << row;
        if (saved.Result == Status::Failed) {
            EXPECT_EQ(saved.Reason, FaultyFileSystem::kReason) << row;
            EXPECT_EQ(saved.Path, c.backupConcerned ? BackupPath(*fs.FinalPath(path)) : path) << row;
            EXPECT_EQ(saved.BackupReplaced, c.existed && c.failing == Step::Rename && c.nth == 2) << row;
        } else {
            EXPECT_EQ(saved.NotSynced, c.failing == Step::Sync ? std::optional<std::string>(FaultyFileSystem::kReason)
                                                               : std::nullopt) << row;
            EXPECT_EQ(saved.Written, StampOf(fs.Read(path, 100))) << row;
            EXPECT_FALSE(saved.OtherVersionIn) << row;
        }
        const std::vector<std::string> left =
            c.existed || c.result == Status::Saved ? std::vector<std::string>{"servercycle.txt", "servercycle.txt.bak"}
                                                   : std::vector<std::string>{"servercycle.txt.bak"};
        EXPECT_EQ(folder.Names(), left) << row;
    }
}

// Another program that takes no lock appends just after the last check: the save goes ahead, and
// says where that program's version is.
TEST(FileSystemContract, AChangeThatSlipsPastTheCheckIsNeverSilent) {
    PortFolder folder(Files().Separator());
    const std::string path = folder.Write("servercycle.txt", "[cycle]\r\n");
    FaultyFileSystem fs(Files(), Step::Link, [&] { std::ofstream(path, std::ios::binary | std::ios::app) << "theirs\r\n"; });
    const SaveOutcome saved = SaveGuarded(fs, path, "mine", StampOf(fs.Read(path, 100)), false, 100);
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved.OtherVersionIn, BackupPath(*fs.FinalPath(path)));
    EXPECT_EQ(folder.Read("servercycle.txt"), "mine");
    EXPECT_EQ(folder.Read("servercycle.txt.bak"), "[cycle]\r\ntheirs\r\n");
}

TEST(FileSystemContract, AChangedFileIsSavedOverOnlyWhenAskedAndNeverPastTheCap) {
    FileSystem& fs = Files();
    const struct {
        const char* before;  // nullptr: no file
        const char* now;     // nullptr: removed
        bool overwrite;
        Status result;
        const char* file;
    } cases[] = {
        {"read", "changed", false, Status::ChangedOnDisk, "changed"},
        {"read", nullptr, false, Status::RemovedOnDisk, "(none)"},
        {nullptr, "created", false, Status::ChangedOnDisk, "created"},
        {"read", "changed", true, Status::Saved, "mine"},
        {"read", nullptr, true, Status::Saved, "mine"},
    };
    for (const auto& c : cases) {
        PortFolder folder(fs.Separator());
        const std::string path = folder.Path("servercycle.txt");
        FileStamp asRead;
        if (c.before) asRead = StampOf(fs.Read(folder.Write("servercycle.txt", c.before), 100));
        if (c.now) {
            folder.Write("servercycle.txt", c.now);
        } else {
            fs.Remove(path);
        }
        const SaveOutcome saved = SaveGuarded(fs, path, "mine", asRead, c.overwrite, 100);
        EXPECT_EQ(saved.Result, c.result) << c.before << " " << c.now;
        EXPECT_EQ(folder.Read("servercycle.txt"), c.file) << c.before << " " << c.now;
        // Saved over, the other program's version is the backup.
        if (c.overwrite && c.now) {
            EXPECT_EQ(folder.Read("servercycle.txt.bak"), c.now);
        }
    }

    PortFolder folder(fs.Separator());
    const std::string path = folder.Write("servercycle.txt", "small");
    const SaveOutcome tooLarge = SaveGuarded(fs, path, std::string(101, 'x'), StampOf(fs.Read(path, 100)), false, 100);
    EXPECT_EQ(tooLarge.Result, Status::Failed);
    EXPECT_EQ(tooLarge.Reason, TooLargeToSaveReason(101, 100));
    EXPECT_EQ(folder.Read("servercycle.txt"), "small");
}

TEST(FileSystemContract, TheSessionsLockKeepsASecondWriterOut) {
    FileSystem& fs = Files();
    PortFolder folder(fs.Separator());
    folder.Write("servercycle.txt", "[cycle]\r\n");
    GameSession first(fs, folder.Path());
    GameSession second(fs, folder.Path());
    const std::unique_ptr<FolderLock> held = first.Lock();
    try {
        second.Lock();
        ADD_FAILURE() << "two holders";
    } catch (const FileError& error) {
        EXPECT_EQ(error.Fault(), FileFault::Busy);
        EXPECT_EQ(error.Path(), folder.Path("servercycle.txt"));
    }
}

TEST(FileSystemContract, MakeFolderMakesOneOrFindsItThere) {
    FileSystem& fs = Files();
    PortFolder folder(fs.Separator());
    EXPECT_EQ(FaultOf([&] { fs.MakeFolder(folder.Path("made")); }), "ok");
    EXPECT_EQ(fs.KindOf(folder.Path("made")), PathKind::Folder);
    EXPECT_EQ(FaultOf([&] { fs.MakeFolder(folder.Path("made")); }), "ok");
    folder.Write("file", "");
    EXPECT_EQ(FaultOf([&] { fs.MakeFolder(folder.Path("file")); }), "exists");
    const std::string deep = folder.Path("none") + fs.Separator() + "deeper";
    EXPECT_EQ(FaultOf([&] { fs.MakeFolder(deep); }), "not found");
}

// A set saved, listed, edited, renamed and deleted: only the rotations folder changes, and
// servercycle.txt stays byte for byte.
TEST(FileSystemContract, SetsLiveInTheirFolderAndNothingElseChanges) {
    FileSystem& fs = Files();
    PortFolder folder(fs.Separator());
    const std::string rotation = "; ours\r\n[cycle]\r\nmap=a.nfo::A\r\nmap=b.nfo::B\r\n";
    folder.Write("servercycle.txt", rotation);
    EXPECT_TRUE(ListSets(fs, folder.Path()).empty());

    GameSession game(fs, folder.Path());
    Collected reports;
    game.ReadRotation(reports);
    ASSERT_TRUE(SaveAsSet(fs, game, "weekday"));
    ASSERT_TRUE(SaveAsSet(fs, game, "Event_b"));
    EXPECT_EQ(folder.Read("rotations/weekday.txt"), "[cycle]\r\nmap=a.nfo::A\r\nmap=b.nfo::B\r\n");
    folder.Write("rotations/a.txt.bak", "");
    folder.Write("rotations/bad..txt", "");
    folder.MakeFolder("rotations/folder.txt");
    // NTFS order, letter case aside; backups, folders and names no set can have are passed over.
    EXPECT_EQ(ListSets(fs, folder.Path()), (std::vector<std::string>{"Event_b", "weekday"}));

    // A set's own session: its lock and backup beside its file.
    {
        GameSession set = SetSession(fs, folder.Path(), "weekday");
        set.ReadRotation(reports);
        const std::unique_ptr<FolderLock> held = set.Lock();
        EXPECT_EQ(fs.KindOf(folder.Path("rotations/weekday.txt.lock")), PathKind::File);
        set.Document().Remove(0);
        ASSERT_TRUE(set.Save());
    }
    EXPECT_EQ(folder.Read("rotations/weekday.txt.bak"), "[cycle]\r\nmap=a.nfo::A\r\nmap=b.nfo::B\r\n");
    // Saving again over an existing set keeps its other lines.
    folder.Write("rotations/weekday.txt", "; kept\r\n[cycle]\r\nmap=x.nfo::X\r\n");
    ASSERT_TRUE(SaveAsSet(fs, game, "weekday"));
    EXPECT_EQ(folder.Read("rotations/weekday.txt"), "; kept\r\n[cycle]\r\nmap=a.nfo::A\r\nmap=b.nfo::B\r\n");

    EXPECT_EQ(RenameSet(fs, folder.Path(), "weekday", "EVENT_B").value_or(""), "There is a set named \"EVENT_B\" already.");
    EXPECT_EQ(RenameSet(fs, folder.Path(), "weekday", "Weekend"), std::nullopt);
    EXPECT_EQ(RenameSet(fs, folder.Path(), "Weekend", "weekend"), std::nullopt);
    EXPECT_EQ(FaultOf([&] { RenameSet(fs, folder.Path(), "none", "other"); }), "not found");
    DeleteSet(fs, folder.Path(), "Event_b");
    EXPECT_EQ(FaultOf([&] { DeleteSet(fs, folder.Path(), "Event_b"); }), "not found");
    EXPECT_EQ(ListSets(fs, folder.Path()), (std::vector<std::string>{"weekend"}));
    EXPECT_EQ(folder.Read("rotations/Event_b.txt.bak"), "[cycle]\r\nmap=a.nfo::A\r\nmap=b.nfo::B\r\n");

    EXPECT_EQ(folder.Read("servercycle.txt"), rotation);
    std::vector<std::string> names;
    for (const auto& item : std::filesystem::directory_iterator(folder.Path())) names.push_back(item.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"rotations", "servercycle.txt"}));
}

}  // namespace
}  // namespace rotaplex
