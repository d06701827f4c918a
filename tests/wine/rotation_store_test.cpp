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

TEST_F(RotationStoreTest, LoadsEntriesAndSavesOnlyWhatChanged) {
    const std::string path = folder_.Write(
        "servercycle.txt",
        "; the server's rotation\r\n[Cycle]\r\nmap=other.nfo::HILLFIGHT\r\n  MAP=x::dusk  \r\n"
        "map=gone.nfo::Retired Mission \r\n");

    FileStamp read;
    RotationDocument document = LoadRotation(folder_.Path(), catalogue_, reporter_, &read);

    EXPECT_TRUE(reporter_.Messages.empty());
    EXPECT_EQ(read, ReadFileStamped(path).Stamp);
    ASSERT_EQ(document.EntryCount(), 3u);
    EXPECT_EQ(document.Entry(0).DisplayText, "HillFight FreeForAll");
    EXPECT_EQ(document.Entry(0).ScenarioIndex, 1);
    EXPECT_EQ(document.Entry(1).DisplayText, "Dusk ");
    EXPECT_EQ(document.Entry(2).DisplayText, "");
    EXPECT_EQ(document.Entry(2).ScenarioIndex, 0);

    ASSERT_TRUE(document.SetScenario(1, 1, catalogue_));
    ASSERT_TRUE(SaveRotation(folder_.Path(), document, read));
    EXPECT_EQ(ReadBytes(path),
              "; the server's rotation\r\n[Cycle]\r\nmap=other.nfo::HILLFIGHT\r\nmap=hill.nfo::HillFight\r\n"
              "map=gone.nfo::Retired Mission \r\n");
}

TEST_F(RotationStoreTest, EntriesPastTheListAreReportedAndKept) {
    std::string text = "[cycle]\r\n";
    for (int i = 0; i < 32767 + 5; ++i) text += "map=hill.nfo::Dusk\r\n";
    const std::string path = folder_.Write("servercycle.txt", text);
    FileStamp read;
    const RotationDocument document = LoadRotation(folder_.Path(), catalogue_, reporter_, &read);
    EXPECT_EQ(document.EntryCount(), 32767u);
    EXPECT_EQ(reporter_.Messages, std::vector<std::string>{UnlistedEntriesMessage(path, 5)});
    ASSERT_TRUE(SaveRotation(folder_.Path(), document, read));
    EXPECT_EQ(ReadBytes(path), text);
}

TEST_F(RotationStoreTest, MissingHeaderIsReportedWithTheFullPath) {
    folder_.Write("servercycle.txt", "map=hill.nfo::HillFight\r\n");
    const RotationDocument document = LoadRotation(folder_.Path(), catalogue_, reporter_);
    EXPECT_EQ(document.EntryCount(), 0u);
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
    const RotationDocument document = LoadRotation(demo, catalogue, reporter);
    EXPECT_TRUE(reporter.Messages.empty());
    ASSERT_EQ(document.EntryCount(), 10u);
    EXPECT_EQ(document.Entry(6).ScenarioIndex, 0);

    TestFolder copy;
    ASSERT_TRUE(SaveRotation(copy.Path(), document, FileStamp{}));
    EXPECT_EQ(ReadBytes(copy.Path() + "servercycle.txt"), ReadBytes(RotationPath(demo)));
}

}  // namespace
}  // namespace rotaplex
