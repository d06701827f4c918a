// Times the Windows data path of start-up (the session reading missions, then the rotation) against a plain read
// of the same files in the same process, and the memory the loaded folder holds.
//   wine_data_path_bench GAME_FOLDER [ROUNDS]      GAME_FOLDER as a Windows path
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "cycle/game_session.h"
#include "cycle/win/windows_file_system.h"
#include "wine_bench.h"

namespace rotaplex {
namespace {

class CountingReporter : public Reporter {
public:
    void Report(const std::string&) override { ++Count; }
    int Count = 0;
};

struct LoadedFolder {
    MissionCatalogue catalogue;
    RotationDocument rotation;
    int reports = 0;
};

struct ReadSession {
    std::unique_ptr<GameSession> session;
    int reports = 0;
};

ReadSession LoadFolder(const std::string& gameFolder) {
    CountingReporter reporter;
    ReadSession read{std::make_unique<GameSession>(WindowsFileSystem(), gameFolder), 0};
    read.session->ReadMissions(reporter);
    read.session->ReadRotation(reporter);
    read.reports = reporter.Count;
    return read;
}

// The core's part of the data path alone, on texts already in memory.
LoadedFolder ParseTexts(const bench::FolderTexts& texts) {
    LoadedFolder loaded;
    for (std::size_t i = 0; i < texts.names.size(); ++i) {
        loaded.catalogue.AddMissionFile(texts.names[i]);
        loaded.catalogue.ParseMissionFile(texts.missions[i], texts.names[i]);
    }
    loaded.rotation = RotationDocument::Read(texts.rotation, loaded.catalogue);
    return loaded;
}

// What work loads is freed after the clock stops: start-up keeps it for the whole run.
template <typename Work>
double TimeOnce(Work work) {
    const LARGE_INTEGER start = bench::Now();
    const auto loaded = work();
    return bench::Seconds(start, bench::Now());
}

PROCESS_MEMORY_COUNTERS Memory() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters;
}

double Megabytes(std::size_t bytes) {
    return static_cast<double>(bytes) / (1024.0 * 1024.0);
}

}  // namespace
}  // namespace rotaplex

int main(int argc, char** argv) {
    using namespace rotaplex;
    using bench::Fastest;
    using bench::Median;
    const auto arguments = bench::ReadArguments(argc, argv, "wine_data_path_bench");
    if (!arguments) return 2;
    const std::string& gameFolder = arguments->GameFolder;
    const int rounds = arguments->Rounds;

    // Measured first, before the rounds below have grown the heap.
    const PROCESS_MEMORY_COUNTERS before = Memory();
    const std::size_t missionBytes = [&] {
        const ReadSession loaded = LoadFolder(gameFolder);
        const PROCESS_MEMORY_COUNTERS peak = Memory();
        const MissionCatalogue& catalogue = loaded.session->Catalogue();
        std::printf("Windows data path under Wine, %s\n", gameFolder.c_str());
        std::printf("  %zu mission files, %d scenarios, %zu rotation entries, %d messages\n",
                    catalogue.MissionFiles().size() - 1, catalogue.ScenarioCount(),
                    loaded.session->Document().EntryCount(), loaded.reports);
        std::size_t bytes = 0;
        for (const std::string& text : bench::ReadFolderTexts(gameFolder).missions) bytes += text.size();
        const std::size_t grown = peak.PeakWorkingSetSize - before.PeakWorkingSetSize;
        std::printf("Memory: peak working set %.1f MB, %.1f MB before loading; mission files %.1f MB\n",
                    Megabytes(peak.PeakWorkingSetSize), Megabytes(before.PeakWorkingSetSize),
                    Megabytes(bytes));
        std::printf("  grown by loading / bytes on disk: %.2fx (target < 3x)\n",
                    static_cast<double>(grown) / static_cast<double>(bytes));
        return bytes;
    }();

    // Alternated, so that both see the same state of the caches; the minimum is the least disturbed.
    const bench::FolderTexts texts = bench::ReadFolderTexts(gameFolder);
    std::vector<double> raw, path, parse;
    for (int round = 0; round < rounds; ++round) {
        raw.push_back(TimeOnce([&] { return bench::ReadFolderTexts(gameFolder); }));
        path.push_back(TimeOnce([&] { return LoadFolder(gameFolder); }));
        parse.push_back(TimeOnce([&] { return ParseTexts(texts); }));
    }
    // Each round's two times are taken moments apart, so their ratio suffers least from the
    // changing load of a shared machine.
    std::vector<double> ratios;
    for (int round = 0; round < rounds; ++round) ratios.push_back(path[round] / raw[round]);
    std::printf("Times over %d rounds (fastest, median):\n", rounds);
    std::printf("  raw read (listing + whole reads)          : %.2f ms, %.2f ms\n", Fastest(raw) * 1e3,
                Median(raw) * 1e3);
    std::printf("  the session reading missions and rotation:%.2f ms, %.2f ms\n", Fastest(path) * 1e3,
                Median(path) * 1e3);
    std::printf("  of it parsing the texts in memory:         %.2f ms, %.2f ms\n", Fastest(parse) * 1e3,
                Median(parse) * 1e3);
    std::printf("  data path / raw read, median of the rounds: %.2fx (target <= 2x); "
                "fastest / fastest: %.2fx\n",
                Median(ratios), Fastest(path) / Fastest(raw));
    std::printf("  %.1f MB/s of mission files through the data path\n",
                Megabytes(missionBytes) / Fastest(path));
    return 0;
}
