#include "cycle/line_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace rotaplex {
namespace {

std::vector<std::string> Lines(std::string_view text) {
    std::vector<std::string> lines;
    LineReader reader(text);
    std::string_view line;
    while (reader.Next(line)) lines.emplace_back(line);
    return lines;
}

TEST(LineReaderTest, SplitsAtCrLfAndLoneCrOnly) {
    const struct {
        std::string text;
        std::vector<std::string> lines;
    } cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\n", {"a"}},
        {"a\r", {"a"}},
        {"\r\n", {""}},
        {"a\r\nb\rc", {"a", "b", "c"}},
        {"a\nb\n", {"a\nb\n"}},
        {"a\n\rb", {"a\n", "b"}},
        {"\r\r\n\r", {"", "", ""}},
        {std::string("x\0y\r\n", 5), {std::string("x\0y", 3)}},
    };
    for (const auto& c : cases) EXPECT_EQ(Lines(c.text), c.lines) << c.text;
}

TEST(LineReaderTest, RewritesEveryLineEndAsCrLf) {
    EXPECT_EQ(WithCrLfLineEnds(""), "");
    EXPECT_EQ(WithCrLfLineEnds("a\rb\r\nc"), "a\r\nb\r\nc\r\n");
    EXPECT_EQ(WithCrLfLineEnds("a\nb\r"), "a\nb\r\n");
}

}  // namespace
}  // namespace rotaplex
