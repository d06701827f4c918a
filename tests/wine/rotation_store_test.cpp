#include <gtest/gtest.h>

#include "cycle/file_rules.h"
#include "cycle/game_session.h"
#include "cycle/win/system_error.h"
#include "cycle/win/windows_file_system.h"
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
        session_.ReadMissions(reporter_);
    }

    TestFolder folder_;
    CapturingReporter reporter_;
    GameSession session_{WindowsFileSystem(), folder_.Path()};
};

TEST_F(RotationStoreTest, LoadsEntriesAndSavesOnlyWhatChanged) {
    const std::string path = folder_.Write(
        "servercycle.txt",
        "; the server's rotation\r\n[Cycle]\r\nmap=other.nfo::HILLFIGHT\r\n  MAP=x::dusk  \r\n"
        "map=gone.nfo::Retired Mission \r\n");

    session_.ReadRotation(reporter_);
    RotationDocument& document = session_.Document();

    EXPECT_TRUE(reporter_.Messages.empty());
    ASSERT_EQ(document.EntryCount(), 3u);
    EXPECT_EQ(document.Entry(0).DisplayText, "HillFight FreeForAll");
    EXPECT_EQ(document.Entry(0).ScenarioIndex, 1);
    EXPECT_EQ(document.Entry(1).DisplayText, "Dusk ");
    EXPECT_EQ(document.Entry(2).DisplayText, "");
    EXPECT_EQ(document.Entry(2).ScenarioIndex, 0);

    ASSERT_TRUE(document.SetScenario(1, 1, session_.Catalogue()));
    ASSERT_TRUE(session_.Save());
    EXPECT_EQ(ReadBytes(path),
              "; the server's rotation\r\n[Cycle]\r\nmap=other.nfo::HILLFIGHT\r\nmap=hill.nfo::HillFight\r\n"
              "map=gone.nfo::Retired Mission \r\n");
}

TEST_F(RotationStoreTest, EntriesPastTheListAreReportedAndKept) {
    std::string text = "[cycle]\r\n";
    for (int i = 0; i < 32767 + 5; ++i) text += "map=hill.nfo::Dusk\r\n";
    const std::string path = folder_.Write("servercycle.txt", text);
    session_.ReadRotation(reporter_);
    EXPECT_EQ(session_.Document().EntryCount(), 32767u);
    EXPECT_EQ(reporter_.Messages, std::vector<std::string>{UnlistedEntriesMessage(path, 5)});
    ASSERT_TRUE(session_.Document().Remove(0));
    ASSERT_TRUE(session_.Document().Undo());
    ASSERT_TRUE(session_.Save());
    EXPECT_EQ(ReadBytes(path), text);
}

TEST_F(RotationStoreTest, MissingHeaderIsReportedWithTheFullPath) {
    folder_.Write("servercycle.txt", "map=hill.nfo::HillFight\r\n");
    session_.ReadRotation(reporter_);
    EXPECT_EQ(session_.Document().EntryCount(), 0u);
    EXPECT_EQ(reporter_.Messages, std::vector<std::string>{
                                      folder_.Path() + "servercycle.txt is malformed or missing [cycle]"});
}

// A file of no bytes or of blank lines is an empty rotation, not one without its header.
TEST_F(RotationStoreTest, ABlankFileIsAnEmptyRotationWithoutAMessage) {
    for (const char* blank : {"", "\r\n", " \t\r\n\r\n"}) {
        folder_.Write("servercycle.txt", blank);
        session_.ReadRotation(reporter_);
        EXPECT_EQ(session_.Document().EntryCount(), 0u);
        EXPECT_TRUE(reporter_.Messages.empty()) << "[" << blank << "]: " << reporter_.Messages.front();
    }
}

TEST_F(RotationStoreTest, AMissingFileIsAnEmptyRotationOrAnErrorNamingIt) {
    session_.ReadRotation(reporter_);
    EXPECT_EQ(session_.Document().EntryCount(), 0u);
    try {
        session_.ReadRotation(reporter_, true);
        FAIL() << "no error";
    } catch (const FileError& error) {
        EXPECT_EQ(error.Path(), folder_.Path() + "servercycle.txt");
        EXPECT_EQ(error.Fault(), FileFault::NotFound);
    }
}

TEST(RotationStore, DemoRotationKeepsItsRetiredEntry) {
    const std::string demo = test::DemoGameFolder();
    CapturingReporter reporter;
    GameSession session(WindowsFileSystem(), demo);
    session.ReadMissions(reporter);
    session.ReadRotation(reporter);
    EXPECT_TRUE(reporter.Messages.empty());
    ASSERT_EQ(session.Document().EntryCount(), 10u);
    EXPECT_EQ(session.Document().Entry(6).ScenarioIndex, 0);

    TestFolder copy;
    ASSERT_TRUE(SaveGuarded(WindowsFileSystem(), RotationPath(copy.Path()), session.Document().Text(), FileStamp{},
                            false, kRotationFileCap));
    EXPECT_EQ(ReadBytes(copy.Path() + "servercycle.txt"), ReadBytes(RotationPath(demo)));
}

}  // namespace
}  // namespace rotaplex
