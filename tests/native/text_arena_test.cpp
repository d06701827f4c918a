#include "cycle/text_arena.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace rotaplex {
namespace {

// Views stay what they were kept as while blocks fill, long texts take blocks of their own, and
// the arena moves: sizes straddle every boundary of a 64 KB block and of its quarter.
TEST(TextArenaTest, KeptTextsLastThroughGrowthAndMoves) {
    std::vector<std::string> texts;
    for (const std::size_t size : {0u, 1u, 15u, 16u, 100u, 16383u, 16384u, 16385u, 40000u, 65535u, 65536u, 70000u}) {
        for (int copy = 0; copy < 3; ++copy) texts.push_back(std::string(size, static_cast<char>('a' + copy)) + "|");
    }
    TextArena arena;
    std::vector<std::string_view> kept;
    for (const std::string& text : texts) kept.push_back(arena.Keep(text));

    TextArena moved(std::move(arena));
    // The arena moved from is empty and usable: what it keeps now touches no moved block.
    arena = TextArena();
    const std::string_view fresh = arena.Keep("fresh");
    for (int round = 0; round < 100; ++round) moved.Keep(std::string(1000, 'z'));
    TextArena assigned;
    assigned = std::move(moved);

    for (std::size_t i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(kept[i], texts[i]) << i;
        EXPECT_NE(kept[i].data(), texts[i].data());
    }
    EXPECT_EQ(fresh, "fresh");
    EXPECT_TRUE(TextArena().Keep("").empty());
}

}  // namespace
}  // namespace rotaplex
