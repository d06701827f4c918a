#include <gtest/gtest.h>

#include "cycle/game_session.h"
#include "cycle/win/system_error.h"
#include "cycle/win/windows_file_system.h"

#include "test_folder.h"

namespace rotaplex {
namespace {

using test::CapturingReporter;
using test::TestFolder;

const std::string kMissions = "resource\\missions\\";

std::string Block(const std::string& title, const std::string& name) {
    return title + " = {\r\nterrain = hills\r\n[server]\r\nname = " + name +
           "\r\nruleset = Free For All\r\ngamelength = 30\r\n}\r\n";
}

TEST(ScanMissions, ReadsFilesInListingOrderAndScenariosInFileOrder) {
    TestFolder folder;
    folder.Write(kMissions + "a.nfo", "[Scenarios]\r\n" + Block("Hill Fight", "Hill") + Block("Dusk", "Dusk"));
    folder.Write(kMissions + "b.nfo", " [ SCENARIOS ] \r\n" + Block("Valley Run", "Valley"));
    CapturingReporter reporter;

    const MissionCatalogue catalogue = ScanMissions(WindowsFileSystem(), folder.Path(), reporter);

    EXPECT_TRUE(reporter.Messages.empty());
    ASSERT_EQ(catalogue.ScenarioCount(), 3);
    EXPECT_EQ(catalogue.MissionFileCount(), 2);
    EXPECT_EQ(catalogue.Scenario(1).ScenarioKey, "HillFight");
    EXPECT_EQ(catalogue.Scenario(1).MissionFile, "a.nfo");
    EXPECT_EQ(catalogue.Scenario(2).Name, "Dusk");
    EXPECT_EQ(catalogue.Scenario(3).MissionFile, "b.nfo");
    EXPECT_EQ(catalogue.Scenario(3).GameLength, 30);
}

TEST(ScanMissions, ListsOrdinaryFilesOnly) {
    TestFolder folder;
    folder.Write(kMissions + "plain.nfo", "");
    folder.Write(kMissions + "UPPER.NFO", "");
    folder.Write(kMissions + "notes.txt", "");
    const std::string hidden = folder.Write(kMissions + "hidden.nfo", "");
    SetFileAttributesA(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN);
    const std::string system = folder.Write(kMissions + "system.nfo", "");
    SetFileAttributesA(system.c_str(), FILE_ATTRIBUTE_SYSTEM);
    folder.MakeFolder(kMissions + "x.nfo");
    CapturingReporter reporter;

    const MissionCatalogue catalogue = ScanMissions(WindowsFileSystem(), folder.Path(), reporter);
    EXPECT_EQ(catalogue.MissionFiles(), (std::vector<std::string>{"", "plain.nfo", "UPPER.NFO"}));
    EXPECT_EQ(reporter.Messages.size(), 2u) << "both empty files have no scenarios";
}

TEST(ScanMissions, ReportsFilesWithoutScenariosAndGoesOn) {
    TestFolder folder;
    folder.Write(kMissions + "a.nfo", "no section here\r\n");
    // Line feeds alone do not end lines: the section line is lost inside one long line.
    folder.Write(kMissions + "b.nfo", "[Scenarios]\n" + Block("Lost", "Lost"));
    folder.Write(kMissions + "c.nfo", "[Scenarios]\r\n" + Block("Kept", "Kept"));
    folder.Write(kMissions + "d.nfo", "");
    CapturingReporter reporter;

    const MissionCatalogue catalogue = ScanMissions(WindowsFileSystem(), folder.Path(), reporter);

    const std::string prefix = folder.Path() + kMissions;
    EXPECT_EQ(reporter.Messages,
              (std::vector<std::string>{prefix + "a.nfo\nis missing Scenarios!\nSkipping File",
                                        prefix + "b.nfo\nis missing Scenarios!\nSkipping File",
                                        prefix + "d.nfo\nis missing Scenarios!\nSkipping File"}));
    ASSERT_EQ(catalogue.ScenarioCount(), 1);
    EXPECT_EQ(catalogue.Scenario(1).ScenarioKey, "Kept");
}

TEST(ScanMissions, ReportsAScenarioWithoutServerSettings) {
    TestFolder folder;
    folder.Write(kMissions + "a.nfo", "[Scenarios]\r\nHill Fight = {\r\nterrain = hills\r\n}\r\n");
    CapturingReporter reporter;

    const MissionCatalogue catalogue = ScanMissions(WindowsFileSystem(), folder.Path(), reporter);

    EXPECT_EQ(reporter.Messages, std::vector<std::string>{"Malformed File " + folder.Path() + kMissions +
                                                          "a.nfo\nmissing [server] in scenario"});
    ASSERT_EQ(catalogue.ScenarioCount(), 1);
    EXPECT_EQ(catalogue.Scenario(1).GameLength, -1);
}

TEST(ScanMissions, NoMissionsFolderIsAnEmptyCatalogue) {
    TestFolder folder;
    CapturingReporter reporter;
    const MissionCatalogue catalogue = ScanMissions(WindowsFileSystem(), folder.Path(), reporter);
    EXPECT_EQ(catalogue.ScenarioCount(), 0);
    EXPECT_TRUE(catalogue.ScenarioTable().empty());
    EXPECT_TRUE(reporter.Messages.empty());
}

TEST(ScanMissions, UnreadableFileIsReportedAndSkipped) {
    TestFolder folder;
    const std::string locked = folder.Write(kMissions + "a.nfo", "[Scenarios]\r\n" + Block("Locked", "L"));
    folder.Write(kMissions + "b.nfo", "[Scenarios]\r\n" + Block("Open", "O"));
    // Opened for writing without sharing: nobody else can read it meanwhile.
    HANDLE holder = CreateFileA(locked.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    CapturingReporter reporter;

    const MissionCatalogue catalogue = ScanMissions(WindowsFileSystem(), folder.Path(), reporter);
    CloseHandle(holder);

    ASSERT_EQ(catalogue.ScenarioCount(), 1);
    EXPECT_EQ(catalogue.Scenario(1).ScenarioKey, "Open");
    EXPECT_EQ(reporter.Messages, std::vector<std::string>{locked + "\n" + SystemMessage(ERROR_SHARING_VIOLATION)});
}

TEST(ScanMissions, DemoGameFolderReadsCleanly) {
    CapturingReporter reporter;
    const MissionCatalogue catalogue = ScanMissions(WindowsFileSystem(), test::DemoGameFolder(), reporter);
    EXPECT_TRUE(reporter.Messages.empty());
    EXPECT_EQ(catalogue.MissionFileCount(), 6);
    EXPECT_EQ(catalogue.ScenarioCount(), 13);
    EXPECT_GT(catalogue.FindScenario("x.nfo::hillfightnight"), 0);
}

}  // namespace
}  // namespace rotaplex
