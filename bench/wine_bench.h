#pragma once

// What the benchmarks under Wine share: their arguments, the clock and the summaries of rounds.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "cycle/game_session.h"
#include "cycle/win/game_folder.h"
#include "cycle/win/windows_file_system.h"
#include "cycle/win/unique_handle.h"

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

// Points the game's registry key, in the prefix the benchmark runs in, at gameFolder.
inline void PointGameKeyAt(const std::string& gameFolder) {
    unique_hkey key;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kGameKey, 0, nullptr, 0, KEY_SET_VALUE | KEY_WOW64_32KEY, nullptr,
                        key.put(), nullptr) != ERROR_SUCCESS ||
        RegSetValueExA(key.get(), kGameFolderValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(gameFolder.c_str()),
                       static_cast<DWORD>(gameFolder.size() + 1)) != ERROR_SUCCESS) {
        std::fprintf(stderr, "cannot point the game's registry key at %s\n", gameFolder.c_str());
        std::exit(1);
    }
}

// The floor: the mission files listed and read into memory with the rotation, nothing more.
struct FolderTexts {
    std::vector<std::string> names, missions;
    std::string rotation;
};

inline FolderTexts ReadFolderTexts(const std::string& gameFolder) {
    constexpr uint64_t kAnySize = std::numeric_limits<uint64_t>::max();
    FileSystem& files = WindowsFileSystem();
    const std::string folder = MissionsFolder(gameFolder, '\\') + '\\';
    FolderTexts texts{{}, {}, files.Read(RotationPath(gameFolder), kAnySize).Bytes};
    for (const ListedName& listed : files.List(folder, ".nfo")) {
        texts.names.push_back(listed.Name);
        texts.missions.push_back(files.Read(folder + listed.Name, kAnySize).Bytes);
    }
    return texts;
}

inline double Fastest(const std::vector<double>& values) { return *std::min_element(values.begin(), values.end()); }

}  // namespace rotaplex::bench
