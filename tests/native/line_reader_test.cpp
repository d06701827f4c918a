#include "cycle/line_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
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

// The wide searches against a byte-by-byte walk: every length around the 16-byte blocks and past
// the 255 blocks a byte tally holds, matches at the ends, and bytes that differ only in the top bit.
TEST(LineReaderTest, WideSearchesAgreeWithAPlainWalk) {
    unsigned seed = 11;
    auto next = [&seed](unsigned bound) { return (seed = seed * 1103515245u + 12345u) / 65536u % bound; };
    const std::string alphabet = "\r\n=a\x8d\xbd";
    for (const std::size_t size : {0u, 1u, 15u, 16u, 17u, 31u, 32u, 33u, 64u, 4079u, 4080u, 4081u, 4096u, 9000u}) {
        for (int round = 0; round < 4; ++round) {
            std::string text(size, 'x');
            // From no match at all to every byte one.
            for (char& c : text) {
                if (next(4) < static_cast<unsigned>(round)) c = alphabet[next(static_cast<unsigned>(alphabet.size()))];
            }
            for (const char c : {'\r', '=', '\x8d'}) {
                EXPECT_EQ(CountByte(text, c), static_cast<std::size_t>(std::count(text.begin(), text.end(), c)))
                    << size << " " << round;
                EXPECT_EQ(FindByte(text, c), std::string_view(text).find(c)) << size << " " << round;
            }
        }
    }
    EXPECT_EQ(CountByte(std::string(5000, '\r'), '\r'), 5000u);
}

}  // namespace
}  // namespace rotaplex
