#include "cycle/file_rules.h"

#include <gtest/gtest.h>

#include "cycle/report_batch.h"

namespace rotaplex {
namespace {

TEST(FileRules, DeviceNames) {
    for (const char* name : {"com1", "COM1.nfo", "com9.txt", "lpt1", "LPT0.x", "con", "Con.txt", "prn", "aux.nfo",
                             "nul", "NUL.tar.gz", "com1 .nfo", "conin$", "CONOUT$.log"})
        EXPECT_TRUE(IsDeviceName(name)) << name;
    for (const char* name : {"", "com", "com10", "com1x.nfo", "xcom1", "console", "null.txt", "lpt", "auxiliary",
                             "hillfight.nfo", ".con", " con"})
        EXPECT_FALSE(IsDeviceName(name)) << name;
    EXPECT_TRUE(NamesDevice("resource\\missions\\com1.txt"));
    EXPECT_TRUE(NamesDevice("C:\\Games\\nul\\servercycle.txt"));
    EXPECT_TRUE(NamesDevice("a/aux/b.txt"));
    EXPECT_FALSE(NamesDevice("C:\\Games\\Arena\\resource\\missions\\hill.txt"));
}

TEST(FileRules, PathsStayingInsideTheFolder) {
    for (const char* path : {"resource\\missions\\a.txt", "a.txt", "x\\..\\a.txt", "x\\.\\y\\..\\..\\a.txt",
                             "x\\\\a.txt", "a/b.txt", ".\\a.txt"})
        EXPECT_TRUE(StaysInside(path)) << path;
    for (const char* path : {"", "..\\a.txt", "resource\\..\\..\\a.txt", "x/../../a.txt", "\\a.txt", "/a.txt",
                             "C:\\a.txt", "c:a.txt", "\\\\server\\share\\a.txt", "...\\a.txt",
                             "resource\\.. \\..\\a.txt", "a.txt:stream"})
        EXPECT_FALSE(StaysInside(path)) << path;
}

TEST(FileRules, ScenarioTextIsCutWithALastLineSayingSo) {
    EXPECT_EQ(ShownScenarioText("a\r\nb", 4), "a\r\nb\r\n");
    EXPECT_EQ(ShownScenarioText("", 0), "");
    EXPECT_EQ(ShownScenarioText("a\rb\r\n", 5000),
              "a\r\nb\r\n[Only the first 5 of the file's 5000 bytes are shown.]\r\n");
}

TEST(FileRules, MessagesNameTheFile) {
    EXPECT_EQ(TooLargeReason(32212254720u, kMissionFileCap),
              "The file is too large: 32212254720 bytes. Rotaplex reads files of up to 32 MB.");
    const std::string question = ChangedOnDiskQuestion("C:\\Games\\servercycle.txt");
    EXPECT_EQ(question.rfind("C:\\Games\\servercycle.txt\nwas changed by another program", 0), 0u) << question;
    EXPECT_NE(question.find("kept only as servercycle.txt.bak until the next save"), std::string::npos) << question;
    EXPECT_EQ(RemovedOnDiskQuestion("C:\\servercycle.txt").find(".bak"), std::string::npos)
        << "a removed file leaves nothing for the backup";
}

class Collecting : public Reporter {
public:
    void Report(const std::string& text) override { Told.push_back(text); }
    std::vector<std::string> Told;
};

TEST(ReportBatch, TellsTenThenAsksOnceAboutTheRest) {
    for (const std::size_t count : {std::size_t{0}, std::size_t{10}, std::size_t{11}, std::size_t{5000}}) {
        for (const bool showRest : {false, true}) {
            SCOPED_TRACE(count);
            ReportBatch batch;
            for (std::size_t i = 0; i < count; ++i) batch.Report("file " + std::to_string(i));
            Collecting told;
            std::vector<std::string> asked;
            batch.TellTo(told, [&](const std::string& question) {
                asked.push_back(question);
                return showRest;
            });

            const std::size_t further = count > 10 ? count - 10 : 0;
            EXPECT_EQ(asked.size(), further > 0 ? 1u : 0u);
            EXPECT_EQ(told.Told.size(), showRest ? count : count - further);
            if (!told.Told.empty()) {
                EXPECT_EQ(told.Told.back(), "file " + std::to_string(told.Told.size() - 1));
            }
            if (further > 0) {
                EXPECT_EQ(asked[0], FurtherReportsQuestion(further));
            }
        }
    }
    EXPECT_EQ(FurtherReportsQuestion(1), "1 further file has problems.\nShow them one by one?");
    EXPECT_EQ(FurtherReportsQuestion(4990), "4990 further files have problems.\nShow them one by one?");
}

}  // namespace
}  // namespace rotaplex
