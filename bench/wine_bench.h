#pragma once

// What the benchmarks under Wine share: their arguments, the clock and the summaries of rounds.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace rotaplex::bench {

struct Arguments {
    std::string GameFolder;  // a Windows path ending in "\"
    int Rounds;
};

// PROGRAM GAME_FOLDER [ROUNDS]; nothing, after telling the usage, when the folder is missing.
inline std::optional<Arguments> ReadArguments(int argc, char** argv, const char* program) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s GAME_FOLDER [ROUNDS]\n", program);
        return std::nullopt;
    }
    Arguments arguments{argv[1], argc > 2 ? std::max(1, std::atoi(argv[2])) : 10};
    if (arguments.GameFolder.back() != '\\') arguments.GameFolder += '\\';
    return arguments;
}

inline LARGE_INTEGER Now() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now;
}

inline double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

inline double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

inline double Fastest(const std::vector<double>& values) { return *std::min_element(values.begin(), values.end()); }

}  // namespace rotaplex::bench
