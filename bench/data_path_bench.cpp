// Times the data core on generated game folders and prints how the whole data path compares with
// reading the same bytes on each, how lookups scale from the small folder to the large one, and
// the memory held by the large catalogue.
//   data_path_bench LABEL=FOLDER... [--benchmark_... flags]
// The lookup comparison needs the labels small and large, the memory figure the label large.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "cli/run.h"
#include "cycle/game_session.h"
#include "cycle/mission_catalogue.h"
#include "cycle/posix/posix_file_system.h"
#include "cycle/rotation_document.h"

namespace rotaplex {
namespace {

namespace fs = std::filesystem;

// Reads a whole file with plain system calls: the same reading for the floor and the data path.
std::string ReadFileBytes(const std::string& path) {
    const int fd = open(path.c_str(), O_RDONLY);
    if (fd < 0) throw std::runtime_error("cannot open " + path);
    struct stat info {};
    fstat(fd, &info);
    std::string bytes(static_cast<std::size_t>(info.st_size), '\0');
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t got = read(fd, bytes.data() + done, bytes.size() - done);
        if (got <= 0) break;
        done += static_cast<std::size_t>(got);
    }
    close(fd);
    bytes.resize(done);
    return bytes;
}

// The files of one game folder, listed once: mission files in the order Wine lists them.
struct GameFolderFiles {
    std::string label;
    std::vector<std::string> names;
    std::vector<std::string> paths;
    std::string rotationPath;
    std::uintmax_t missionBytes = 0;
    std::string folder;  // ending in "/"
};

GameFolderFiles ListGameFolder(const std::string& label, const fs::path& folder) {
    GameFolderFiles files{label, {}, {}, (folder / "servercycle.txt").string(), 0, folder.string() + "/"};
    for (const fs::directory_entry& entry : fs::directory_iterator(folder / "resource" / "missions")) {
        if (entry.is_regular_file() && LowerCase(entry.path().extension().string()) == ".nfo") {
            files.names.push_back(entry.path().filename().string());
        }
    }
    std::sort(files.names.begin(), files.names.end(),
              [](const std::string& a, const std::string& b) { return LowerCase(a) < LowerCase(b); });
    for (const std::string& name : files.names) {
        files.paths.push_back((folder / "resource" / "missions" / name).string());
        files.missionBytes += fs::file_size(files.paths.back());
    }
    return files;
}

class SilentReporter final : public Reporter {
public:
    void Report(const std::string&) override {}
};

struct LoadedFolder {
    std::unique_ptr<GameSession> session;
};

// What start-up does with the folder: the session reads the missions, then the rotation.
LoadedFolder LoadFolder(const GameFolderFiles& files) {
    LoadedFolder loaded{std::make_unique<GameSession>(posix::PosixFileSystem(), files.folder)};
    SilentReporter reporter;
    loaded.session->ReadMissions(reporter);
    loaded.session->ReadRotation(reporter);
    return loaded;
}

// A rotation of count entries naming the catalogue's scenarios, keys in changing case: in a fixed
// random order, as a real rotation does, or walking the table in its order.
std::string RotationNaming(const MissionCatalogue& catalogue, int count, bool randomOrder) {
    std::mt19937 random(1999);
    std::uniform_int_distribution<int> pick(1, catalogue.ScenarioCount());
    std::string text = "[cycle]\r\n";
    for (int i = 0; i < count; ++i) {
        const int index = randomOrder ? pick(random) : i % catalogue.ScenarioCount() + 1;
        const ScenarioInfo& record = catalogue.Scenario(index);
        const std::string key = i % 2 == 0 ? LowerCase(record.ScenarioKey) : std::string(record.ScenarioKey);
        text.append("map=").append(record.MissionFile).append("::").append(key).append("\r\n");
    }
    return text;
}

constexpr int kLookupEntries = 32767;
constexpr int kRepetitions = 11;

// Each benchmark runs 11 times; the fastest run (the one least disturbed by whatever else runs on
// the machine) and the median are shown.
template <typename Body>
void Register(const std::string& what, const GameFolderFiles& files, Body body) {
    benchmark::RegisterBenchmark((what + "/" + files.label).c_str(), body)
        ->Unit(benchmark::kMillisecond)
        ->Repetitions(kRepetitions)
        ->DisplayAggregatesOnly()
        ->ComputeStatistics("min", [](const std::vector<double>& times) {
            return *std::min_element(times.begin(), times.end());
        });
}

// Times load() alone: what it returns is freed with the clock stopped, since start-up keeps what
// it loads for the whole run.
template <typename Load>
void TimeLoading(benchmark::State& state, Load load) {
    for (auto _ : state) {
        std::optional loaded{load()};
        benchmark::DoNotOptimize(*loaded);
        state.PauseTiming();
        loaded.reset();
        state.ResumeTiming();
    }
}

std::vector<std::string> ReadMissionTexts(const GameFolderFiles& files) {
    std::vector<std::string> texts;
    for (const std::string& path : files.paths) texts.push_back(ReadFileBytes(path));
    return texts;
}

const std::string kCliCommands[] = {"check", "list", "scenarios", "sets"};

void RegisterFolderBenchmarks(const GameFolderFiles& files) {
    Register("read_bytes", files, [&files](benchmark::State& state) {
        TimeLoading(state, [&] {
            return std::pair(ReadMissionTexts(files), ReadFileBytes(files.rotationPath));
        });
    });
    Register("parse_catalogue", files, [&files](benchmark::State& state) {
        const std::vector<std::string> texts = ReadMissionTexts(files);
        TimeLoading(state, [&] {
            MissionCatalogue catalogue;
            for (std::size_t i = 0; i < texts.size(); ++i) {
                catalogue.AddMissionFile(files.names[i]);
                catalogue.ParseMissionFile(texts[i], files.names[i]);
            }
            return catalogue;
        });
    });
    // The table and its key index grow together as records are added: this part of the parse alone.
    Register("add_scenarios_and_index", files, [&files](benchmark::State& state) {
        const LoadedFolder loaded = LoadFolder(files);
        const std::vector<ScenarioInfo>& table = loaded.session->Catalogue().ScenarioTable();
        for (auto _ : state) {
            state.PauseTiming();
            std::vector<ScenarioInfo> records(table.begin() + 1, table.end());
            std::optional<MissionCatalogue> catalogue{std::in_place};
            state.ResumeTiming();
            for (ScenarioInfo& record : records) catalogue->AddScenario(std::move(record));
            state.PauseTiming();
            catalogue.reset();
            records.clear();
            state.ResumeTiming();
        }
    });
    Register("read_rotation", files, [&files](benchmark::State& state) {
        const LoadedFolder loaded = LoadFolder(files);
        const std::string text = ReadFileBytes(files.rotationPath);
        TimeLoading(state, [&] { return RotationDocument::Read(text, loaded.session->Catalogue()); });
    });
    Register("write_rotation", files, [&files](benchmark::State& state) {
        const LoadedFolder loaded = LoadFolder(files);
        TimeLoading(state, [&] { return loaded.session->Document().Text(); });
    });
    Register("data_path", files, [&files](benchmark::State& state) {
        TimeLoading(state, [&] { return LoadFolder(files); });
    });
    // rotaplex-cli's reading commands whole, in this process, their output written to /dev/null.
    for (const std::string& command : kCliCommands) {
        Register("cli_" + command, files, [&files, command](benchmark::State& state) {
            const std::unique_ptr<std::FILE, int (*)(std::FILE*)> nowhere(std::fopen("/dev/null", "w"), std::fclose);
            for (auto _ : state)
                benchmark::DoNotOptimize(cli::RunCli({command, files.folder}, posix::PosixFileSystem(), stdin,
                                                     nowhere.get(), nowhere.get()));
        });
    }
    for (const bool randomOrder : {true, false}) {
        Register(randomOrder ? "lookup_random_order" : "lookup_table_order", files,
                 [&files, randomOrder](benchmark::State& state) {
                     const LoadedFolder loaded = LoadFolder(files);
                     const std::string text = RotationNaming(loaded.session->Catalogue(), kLookupEntries, randomOrder);
                     TimeLoading(state, [&] { return RotationDocument::Read(text, loaded.session->Catalogue()); });
                     state.SetItemsProcessed(state.iterations() * kLookupEntries);
                 });
    }
}

struct Times {
    double real = 0, cpu = 0;  // seconds, of the fastest run
    double medianReal = 0;     // seconds, the median of the runs' wall-clock times
};

// Shows the fastest and the median of the repetitions and keeps their times.
class MinimumReporter : public benchmark::ConsoleReporter {
public:
    MinimumReporter() : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_ColorTabular : OO_Tabular) {}
    void ReportRuns(const std::vector<Run>& runs) override {
        std::vector<Run> shown;
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Aggregate) continue;
            const double unit = benchmark::GetTimeUnitMultiplier(run.time_unit);
            Times& times = times_[run.run_name.function_name];
            if (run.aggregate_name == "min") {
                times.real = run.GetAdjustedRealTime() / unit;
                times.cpu = run.GetAdjustedCPUTime() / unit;
            } else if (run.aggregate_name == "median") {
                times.medianReal = run.GetAdjustedRealTime() / unit;
            } else {
                continue;
            }
            shown.push_back(run);
        }
        if (!shown.empty()) ConsoleReporter::ReportRuns(shown);
    }
    std::optional<Times> Find(const std::string& name) const {
        const auto found = times_.find(name);
        return found == times_.end() ? std::nullopt : std::optional(found->second);
    }

private:
    std::map<std::string, Times> times_;
};

// A "Vm...:" line of /proc/self/status in bytes.
std::uintmax_t ProcStatusBytes(const std::string& field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field + ":", 0) == 0) return std::stoull(line.substr(field.size() + 1)) * 1024;
    }
    return 0;
}

double Megabytes(std::uintmax_t bytes) {
    return static_cast<double>(bytes) / (1024.0 * 1024.0);
}

// Measured first, before any benchmark has held all the files in memory at once.
void PrintMemory(const GameFolderFiles& files) {
    const std::uintmax_t before = ProcStatusBytes("VmHWM");
    const LoadedFolder loaded = LoadFolder(files);
    const std::uintmax_t peak = ProcStatusBytes("VmHWM");
    std::printf("Memory, %s folder (%d scenarios, %d entries held): peak RSS %.1f MB, %.1f MB before "
                "loading; mission files on disk %.1f MB\n",
                files.label.c_str(), loaded.session->Catalogue().ScenarioCount(),
                static_cast<int>(loaded.session->Document().EntryCount()), Megabytes(peak), Megabytes(before),
                Megabytes(files.missionBytes));
    std::printf("  peak / bytes on disk: %.2fx whole process, %.2fx grown by loading (target < 3x)\n\n",
                static_cast<double>(peak) / static_cast<double>(files.missionBytes),
                static_cast<double>(peak - before) / static_cast<double>(files.missionBytes));
}

const std::string kSteps[] = {"read_bytes",    "parse_catalogue", "add_scenarios_and_index",
                              "read_rotation", "write_rotation",  "data_path"};
const std::string kLookups[] = {"lookup_random_order", "lookup_table_order"};

// The steps of one folder that ran (a filter may leave some out).
std::map<std::string, Times> FolderTimes(const MinimumReporter& reporter, const GameFolderFiles& files) {
    std::map<std::string, Times> times;
    std::vector<std::string> names(std::begin(kSteps), std::end(kSteps));
    names.insert(names.end(), std::begin(kLookups), std::end(kLookups));
    for (const std::string& command : kCliCommands) names.push_back("cli_" + command);
    for (const std::string& name : names)
        if (const std::optional<Times> found = reporter.Find(name + "/" + files.label)) times[name] = *found;
    return times;
}

// CPU time leads: on a shared machine it is what others' work disturbs least.
void PrintFolderSummary(const std::map<std::string, Times>& times, const GameFolderFiles& files) {
    std::printf("\nSummary, %s folder (%zu files, %.1f MB of mission files), %d runs: CPU time of the "
                "fastest (wall-clock time of the fastest, median wall-clock time):\n",
                files.label.c_str(), files.names.size(), Megabytes(files.missionBytes), kRepetitions);
    for (const std::string& name : kSteps) {
        if (!times.contains(name)) continue;
        const Times& step = times.at(name);
        std::printf("  %-26s %8.2f ms (%.2f ms, %.2f ms)\n", name.c_str(), step.cpu * 1e3, step.real * 1e3,
                    step.medianReal * 1e3);
    }
    if (!times.contains("data_path") || !times.contains("read_bytes")) return;
    const Times& path = times.at("data_path");
    const Times& floor = times.at("read_bytes");
    std::printf("  whole data path / raw read: %.2fx (%.2fx, %.2fx) (target <= 3x)\n", path.cpu / floor.cpu,
                path.real / floor.real, path.medianReal / floor.medianReal);
    for (const std::string& command : kCliCommands) {
        const auto found = times.find("cli_" + command);
        if (found == times.end()) continue;
        std::printf("  rotaplex-cli %-10s %8.2f ms, / data path: %.2fx (%.2fx, %.2fx) (target <= 1.5x)\n",
                    command.c_str(), found->second.cpu * 1e3, found->second.cpu / path.cpu,
                    found->second.real / path.real, found->second.medianReal / path.medianReal);
    }
}

void PrintLookupSummary(const std::map<std::string, Times>& smallTimes, const GameFolderFiles& small,
                        const std::map<std::string, Times>& largeTimes, const GameFolderFiles& large) {
    const int largeCount = LoadFolder(large).session->Catalogue().ScenarioCount();
    const int smallCount = LoadFolder(small).session->Catalogue().ScenarioCount();
    std::printf("\nLookups, %s folder against %s folder:\n", large.label.c_str(), small.label.c_str());
    for (const std::string& name : kLookups) {
        const double perEntryLarge = largeTimes.at(name).cpu * 1e9 / kLookupEntries;
        const double perEntrySmall = smallTimes.at(name).cpu * 1e9 / kLookupEntries;
        std::printf("  %s, per entry of %d: %.1f ns against %d scenarios, %.1f ns against %d: %.2fx "
                    "(O(1) target: about 1x)\n",
                    name.c_str(), kLookupEntries, perEntryLarge, largeCount, perEntrySmall, smallCount,
                    perEntryLarge / perEntrySmall);
    }
}

}  // namespace
}  // namespace rotaplex

int main(int argc, char** argv) {
    using namespace rotaplex;
    benchmark::Initialize(&argc, argv);
    std::vector<GameFolderFiles> folders;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        const std::size_t equals = argument.find('=');
        if (equals == std::string_view::npos || equals == 0) {
            folders.clear();
            break;
        }
        folders.push_back(ListGameFolder(std::string(argument.substr(0, equals)),
                                         std::string(argument.substr(equals + 1))));
    }
    if (folders.empty()) {
        std::fprintf(stderr, "usage: %s LABEL=FOLDER... [--benchmark_... flags]\n", argv[0]);
        return 2;
    }
    const auto labelled = [&](const std::string& label) -> const GameFolderFiles* {
        for (const GameFolderFiles& files : folders) {
            if (files.label == label) return &files;
        }
        return nullptr;
    };
    if (const GameFolderFiles* large = labelled("large")) PrintMemory(*large);

    for (const GameFolderFiles& files : folders) RegisterFolderBenchmarks(files);
    MinimumReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    for (const GameFolderFiles& files : folders) {
        const std::map<std::string, Times> times = FolderTimes(reporter, files);
        if (!times.empty()) PrintFolderSummary(times, files);
    }
    const GameFolderFiles* small = labelled("small");
    const GameFolderFiles* large = labelled("large");
    if (small != nullptr && large != nullptr) {
        const std::map<std::string, Times> smallTimes = FolderTimes(reporter, *small);
        const std::map<std::string, Times> largeTimes = FolderTimes(reporter, *large);
        const auto hasLookups = [](const std::map<std::string, Times>& times) {
            return std::all_of(std::begin(kLookups), std::end(kLookups),
                               [&](const std::string& name) { return times.contains(name); });
        };
        if (hasLookups(smallTimes) && hasLookups(largeTimes)) {
            PrintLookupSummary(smallTimes, *small, largeTimes, *large);
        }
    }
    benchmark::Shutdown();
    return 0;
}
