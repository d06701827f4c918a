#include "cycle/unified_diff.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace rotaplex {
namespace {

// Applies a diff made of lines that all end in CR LF (so its marks need no care) to before.
std::string Patch(const std::string& before, const std::string& diff) {
    std::vector<std::string> lines;
    std::istringstream in(before);
    for (std::string line; std::getline(in, line, '\n');) lines.push_back(line.substr(0, line.size() - 1));
    std::vector<std::string> out;
    std::size_t next = 0;  // first line of before not yet copied
    std::istringstream hunks(diff);
    std::string line;
    std::getline(hunks, line);  // ---
    std::getline(hunks, line);  // +++
    while (std::getline(hunks, line)) {
        if (line.starts_with("@@ -")) {
            std::size_t length = 0;
            const std::size_t first = std::stoul(line.substr(4), &length);
            const bool empty = line.compare(4 + length, 3, ",0 ") == 0;
            const std::size_t start = empty ? first : first - 1;
            while (next < start) out.push_back(lines.at(next++));
        } else if (line[0] == ' ') {
            EXPECT_EQ(lines.at(next), line.substr(1));
            out.push_back(lines.at(next++));
        } else if (line[0] == '-') {
            EXPECT_EQ(lines.at(next++), line.substr(1));
        } else if (line[0] == '+') {
            out.push_back(line.substr(1));
        }
    }
    while (next < lines.size()) out.push_back(lines[next++]);
    std::string result;
    for (const std::string& kept : out) result += kept + "\r\n";
    return result;
}

TEST(UnifiedDiffTest, ShowsHunksWithThreeLinesOfContextAsDiffDoes) {
    const struct {
        std::string before, after, diff;
    } cases[] = {
        {"a\r\nb\r\n", "a\r\nb\r\n", ""},
        {"", "a\r\n", "--- f\n+++ f\n@@ -0,0 +1 @@\n+a\n"},
        {"1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n", "1\r\n2\r\n3\r\nx\r\n4\r\n5\r\n6\r\n",
         "--- f\n+++ f\n@@ -1,6 +1,7 @@\n 1\n 2\n 3\n+x\n 4\n 5\n 6\n"},
        {"1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10\r\n11\r\n12\r\n",
         "x\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10\r\n11\r\n",
         "--- f\n+++ f\n@@ -1,4 +1,4 @@\n-1\n+x\n 2\n 3\n 4\n@@ -9,4 +9,3 @@\n 9\n 10\n 11\n-12\n"},
        // A line end added to a last line that had none is a change of that line.
        {"[cycle]\r\nmap=a::A", "[cycle]\r\nmap=a::A\r\nmap=b::B\r\n",
         "--- f\n+++ f\n@@ -1,2 +1,3 @@\n [cycle]\n-map=a::A\n\\ No newline at end of file\n+map=a::A\n"
         "+map=b::B\n"},
    };
    for (const auto& c : cases) EXPECT_EQ(UnifiedDiff(c.before, c.after, "f"), c.diff) << c.before;
}

TEST(UnifiedDiffTest, PatchingTheBeforeTextWithItsDiffGivesTheAfterText) {
    std::mt19937 random(7);
    for (int round = 0; round < 300; ++round) {
        std::vector<std::string> lines;
        const int count = static_cast<int>(random() % 40);
        for (int i = 0; i < count; ++i) lines.push_back(std::to_string(random() % 6));
        std::vector<std::string> changed = lines;
        for (int edits = static_cast<int>(random() % 5); edits > 0; --edits) {
            const std::size_t at = changed.empty() ? 0 : random() % changed.size();
            switch (random() % 3) {
                case 0: changed.insert(changed.begin() + static_cast<long>(at), "new"); break;
                case 1: if (!changed.empty()) changed.erase(changed.begin() + static_cast<long>(at)); break;
                default: if (!changed.empty()) changed[at] = "set"; break;
            }
        }
        std::string before, after;
        for (const auto& line : lines) before += line + "\r\n";
        for (const auto& line : changed) after += line + "\r\n";
        EXPECT_EQ(Patch(before, UnifiedDiff(before, after, "f")), after) << before << "=>\n" << after;
    }
}

TEST(UnifiedDiffTest, AVeryDifferentTextIsShownAsReplacedWhole) {
    std::string before, after;
    for (int i = 0; i < 3000; ++i) {
        before += "a" + std::to_string(i) + "\r\n";
        after += "b" + std::to_string(i) + "\r\n";
    }
    const std::string diff = UnifiedDiff(before, after, "f");
    EXPECT_TRUE(diff.starts_with("--- f\n+++ f\n@@ -1,3000 +1,3000 @@\n-a0\n")) << diff.substr(0, 80);
    EXPECT_EQ(Patch(before, diff), after);
}

}  // namespace
}  // namespace rotaplex
