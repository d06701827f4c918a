#include "cycle/win/rotation_store.h"

#include <gtest/gtest.h>

#include "cycle/win/mission_scan.h"
#include "cycle/win/system_error.h"
#include "test_folder.h"

namespace rotaplex {
namespace {

using test::CapturingReporter;
using test::ReadBytes;
using test::TestFolder;

class RotationStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_.Write("resource\\missions\\hill.nfo",
                      "[Scenarios]\r\nHill Fight = {\r\n[server]\r\nname = Hill Fight\r\n"
                      "ruleset = Free For All\r\n}\r\nDusk = {\r\n[server]\r\nname = Dusk\r\n}\r\n");
        catalogue_ = ScanMissions(folder_.Path(), reporter_);
    }

    TestFolder folder_;
    CapturingReporter reporter_;
    MissionCatalogue catalogue_;
};

TEST_F(RotationStoreTest, LoadsEntriesAndSavesThemBack) {
    const std::string path = folder_.Write(
        "servercycle.txt",
        "; the server's rotation\r\n[Cycle]\r\nmap=other.nfo::HILLFIGHT\r\n  MAP=x::dusk  \r\n"
        "map=gone.nfo::Retired Mission \r\n");

    FileStamp read;
    const CycleList entries = LoadRotation(folder_.Path(), catalogue_, reporter_, &read);

    EXPECT_TRUE(reporter_.Messages.empty());
    EXPECT_EQ(read, ReadFileStamped(path).Stamp);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].DisplayText, "HillFight FreeForAll");
    EXPECT_EQ(entries[0].ScenarioIndex, 1);
    EXPECT_EQ(entries[1].DisplayText, "Dusk ");
    EXPECT_EQ(entries[2].DisplayText, "");
    EXPECT_EQ(entries[2].ScenarioIndex, 0);

    ASSERT_TRUE(SaveRotation(folder_.Path(), entries, catalogue_, read));
    EXPECT_EQ(ReadBytes(path),
              "[cycle]\r\nmap=hill.nfo::HillFight\r\nmap=hill.nfo::Dusk\r\n"
              "map=gone.nfo::Retired Mission\r\n");
}

TEST_F(RotationStoreTest, MissingHeaderIsReportedWithTheFullPath) {
    folder_.Write("servercycle.txt", "map=hill.nfo::HillFight\r\n");
    const CycleList entries = LoadRotation(folder_.Path(), catalogue_, reporter_);
    EXPECT_TRUE(entries.empty());
    EXPECT_EQ(reporter_.Messages, std::vector<std::string>{
                                      folder_.Path() + "servercycle.txt is malformed or missing [cycle]"});
}

TEST_F(RotationStoreTest, MissingFileIsAnErrorNamingIt) {
    try {
        LoadRotation(folder_.Path(), catalogue_, reporter_);
        FAIL() << "no error";
    } catch (const FileError& error) {
        EXPECT_EQ(error.Path(), folder_.Path() + "servercycle.txt");
    }
}

TEST(RotationStore, DemoRotationKeepsItsRetiredEntry) {
    const std::string demo = test::DemoGameFolder();
    CapturingReporter reporter;
    const MissionCatalogue catalogue = ScanMissions(demo, reporter);
    const CycleList entries = LoadRotation(demo, catalogue, reporter);
    EXPECT_TRUE(reporter.Messages.empty());
    ASSERT_EQ(entries.size(), 10u);
    EXPECT_EQ(entries[6].ScenarioIndex, 0);

    TestFolder copy;
    ASSERT_TRUE(SaveRotation(copy.Path(), entries, catalogue, FileStamp{}));
    EXPECT_NE(ReadBytes(copy.Path() + "servercycle.txt").find("\r\nmap=oldquarry.nfo::OldQuarry\r\n"),
              std::string::npos);
}

}  // namespace
}  // namespace rotaplex
