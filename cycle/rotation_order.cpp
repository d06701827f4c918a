#include "cycle/rotation_order.h"

#include <algorithm>
#include <numeric>
#include <optional>
#include <random>
#include <string>
#include <unordered_map>

#include "cycle/scenario_info.h"

namespace rotaplex {

namespace {

// Its sequence of numbers from a seed is fixed by the standard, unlike the distributions.
using Engine = std::mt19937_64;

// A uniform draw from 0 to bound - 1: words below 2^64 mod bound would favour the small results,
// so they are drawn again.
std::size_t Below(Engine& engine, std::size_t bound) {
    const uint64_t range = bound;
    const uint64_t unfair = (0 - range) % range;
    for (;;) {
        const uint64_t word = engine();
        if (word >= unfair) return static_cast<std::size_t>(word % range);
    }
}

void Shuffle(std::vector<std::size_t>& items, Engine& engine) {
    for (std::size_t i = 0; i + 1 < items.size(); ++i) std::swap(items[i], items[i + Below(engine, items.size() - i)]);
}

std::vector<std::size_t> Identity(std::size_t count) {
    std::vector<std::size_t> order(count);
    std::iota(order.begin(), order.end(), std::size_t{0});
    return order;
}

// The missions numbered from 0, and how many entries play each.
struct Missions {
    std::vector<std::size_t> Of;
    std::vector<std::size_t> Count;
};

Missions Number(const std::vector<uint32_t>& missions) {
    Missions numbered;
    std::unordered_map<uint32_t, std::size_t> numbers;
    for (const uint32_t mission : missions) {
        const auto [at, added] = numbers.try_emplace(mission, numbered.Count.size());
        if (added) numbered.Count.push_back(0);
        numbered.Of.push_back(at->second);
        ++numbered.Count[at->second];
    }
    return numbered;
}

// Uniform permutations, each given up at its first repeat: nothing when none of them keeps the rule.
std::optional<std::vector<std::size_t>> DrawUniform(const Missions& missions, bool circular, std::size_t tries,
                                                    Engine& engine) {
    std::vector<std::size_t> order = Identity(missions.Of.size());
    const std::size_t count = order.size();
    for (std::size_t attempt = 0; attempt < tries; ++attempt) {
        bool keeps = true;
        for (std::size_t i = 0; keeps && i < count; ++i) {
            std::swap(order[i], order[i + Below(engine, count - i)]);
            keeps = i == 0 || missions.Of[order[i]] != missions.Of[order[i - 1]];
        }
        if (keeps && circular && missions.Of[order.back()] == missions.Of[order.front()]) keeps = false;
        if (keeps) return order;
    }
    return std::nullopt;
}

// The entries left to place, by mission, for the place-by-place build.
class Remaining {
public:
    explicit Remaining(const Missions& missions)
        : count_(missions.Count), left_(missions.Of.size()), withCount_(missions.Of.size() + 1) {
        for (const std::size_t n : count_) ++withCount_[n];
        most_ = *std::max_element(count_.begin(), count_.end());
    }

    void Take(std::size_t mission) {
        --withCount_[count_[mission]];
        ++withCount_[--count_[mission]];
        --left_;
        if (withCount_[most_] == 0) --most_;
    }
    void Give(std::size_t mission) {
        --withCount_[count_[mission]];
        ++withCount_[++count_[mission]];
        ++left_;
        most_ = std::max(most_, count_[mission]);
    }

    // Whether the entries left can follow one of mission before, in places where no neighbours
    // repeat, the last one also differing from after when there is one. With e of those two ends
    // its own, a mission can fill at most ceil((left + e) / 2) - e of the places left.
    bool Arrangeable(std::size_t before, std::optional<std::size_t> after) const {
        const auto fits = [&](std::size_t mission, std::size_t ends) {
            return count_[mission] + ends <= (left_ + ends + 1) / 2;
        };
        const std::size_t free = (left_ + 1) / 2;  // for a mission at neither end
        std::size_t over = 0;
        for (std::size_t n = free + 1; n <= most_; ++n) over += withCount_[n];
        over -= count_[before] > free ? 1 : 0;
        if (after && *after != before && count_[*after] > free) --over;
        if (over > 0) return false;
        if (!fits(before, after == before ? 2 : 1)) return false;
        return !after || *after == before || fits(*after, 1);
    }

private:
    std::vector<std::size_t> count_;     // of each mission
    std::size_t left_;                   // entries in all
    std::vector<std::size_t> withCount_;  // missions by how many entries they have left
    std::size_t most_ = 0;               // the most entries a mission has left
};

// Where some order keeps the rule: place by place, an entry drawn uniformly from those that
// leave the rest arrangeable. A mission that must come next holds about half the entries left,
// so few draws are thrown away.
std::vector<std::size_t> BuildKeepingTheRule(const Missions& missions, bool circular, Engine& engine) {
    std::vector<std::size_t> pool = Identity(missions.Of.size());
    std::vector<std::size_t> order;
    order.reserve(pool.size());
    Remaining remaining(missions);
    std::optional<std::size_t> before, after;
    while (!pool.empty()) {
        std::size_t slot = 0;
        for (;;) {
            slot = Below(engine, pool.size());
            const std::size_t mission = missions.Of[pool[slot]];
            if (mission == before) continue;
            remaining.Take(mission);
            // The first entry of a circular order is the last one's neighbour.
            if (remaining.Arrangeable(mission, circular && order.empty() ? mission : after)) break;
            remaining.Give(mission);
        }
        order.push_back(pool[slot]);
        before = missions.Of[pool[slot]];
        if (circular && order.size() == 1) after = before;
        pool[slot] = pool.back();
        pool.pop_back();
    }
    return order;
}

// Where one mission fills more than half: its entries in runs with one other entry between two
// runs, as many runs as there are gaps for the others (circular: the others' count, else one
// more), run lengths drawn uniformly among those that add up; so every order with the fewest
// repeats comes out equally often. A circular one starts at a uniformly drawn place.
std::vector<std::size_t> BuildFewestRepeats(const Missions& missions, std::size_t dominant, bool circular,
                                            Engine& engine) {
    std::vector<std::size_t> runsOf, others;
    for (std::size_t i = 0; i < missions.Of.size(); ++i) (missions.Of[i] == dominant ? runsOf : others).push_back(i);
    Shuffle(runsOf, engine);
    Shuffle(others, engine);
    if (others.empty()) return runsOf;
    const std::size_t runs = others.size() + (circular ? 0 : 1);
    // The runs' ends: runs - 1 cuts among the dominant entries' inner gaps, then its count.
    std::vector<std::size_t> cuts = Identity(runsOf.size() - 1);
    for (std::size_t i = 0; i + 1 < runs; ++i) std::swap(cuts[i], cuts[i + Below(engine, cuts.size() - i)]);
    cuts.resize(runs - 1);
    for (std::size_t& cut : cuts) ++cut;
    std::sort(cuts.begin(), cuts.end());
    cuts.push_back(runsOf.size());
    std::vector<std::size_t> order;
    order.reserve(missions.Of.size());
    std::size_t start = 0;
    for (std::size_t run = 0; run < runs; ++run) {
        if (circular || run > 0) order.push_back(others[circular ? run : run - 1]);
        order.insert(order.end(), runsOf.begin() + static_cast<std::ptrdiff_t>(start),
                     runsOf.begin() + static_cast<std::ptrdiff_t>(cuts[run]));
        start = cuts[run];
    }
    if (circular) std::rotate(order.begin(), order.begin() + static_cast<std::ptrdiff_t>(Below(engine, order.size())), order.end());
    return order;
}

// The text of a selected entry that its mission or its sort goes by.
template <typename TextOf>
std::vector<std::string> TextsOf(const RotationDocument& document, const EntrySelection& selection, TextOf textOf) {
    std::vector<std::string> texts;
    texts.reserve(selection.Count());
    for (const std::size_t position : selection.Positions()) texts.push_back(LowerCase(textOf(document.Entry(position))));
    return texts;
}

}  // namespace

std::vector<std::size_t> ShuffledOrder(const std::vector<uint32_t>& missions, bool circular, uint64_t seed,
                                       std::size_t tries) {
    const std::size_t count = missions.size();
    if (count < 2) return Identity(count);
    Engine engine(seed);
    const Missions numbered = Number(missions);
    const auto most = std::max_element(numbered.Count.begin(), numbered.Count.end());
    if (*most > (circular ? count / 2 : (count + 1) / 2)) {
        return BuildFewestRepeats(numbered, static_cast<std::size_t>(most - numbered.Count.begin()), circular, engine);
    }
    if (std::optional<std::vector<std::size_t>> drawn = DrawUniform(numbered, circular, tries, engine)) return *drawn;
    return BuildKeepingTheRule(numbered, circular, engine);
}

std::size_t RepeatsIn(const std::vector<uint32_t>& missions, const std::vector<std::size_t>& order, bool circular) {
    std::size_t repeats = 0;
    for (std::size_t i = 1; i < order.size(); ++i) repeats += missions[order[i]] == missions[order[i - 1]] ? 1 : 0;
    if (circular && order.size() > 1 && missions[order.back()] == missions[order.front()]) ++repeats;
    return repeats;
}

std::vector<uint32_t> MissionsOf(const RotationDocument& document, const EntrySelection& selection,
                                 const MissionCatalogue& catalogue) {
    const std::vector<std::string> texts = TextsOf(document, selection, [&](const CycleEntry& entry) {
        if (entry.ScenarioIndex == 0) return entry.SourceText;
        const ScenarioInfo& scenario = catalogue.Scenario(entry.ScenarioIndex);
        return std::string(scenario.MissionFile).append("::").append(scenario.ScenarioKey);
    });
    std::unordered_map<std::string_view, uint32_t> numbers;
    std::vector<uint32_t> missions;
    missions.reserve(texts.size());
    for (const std::string& text : texts) {
        missions.push_back(numbers.try_emplace(text, static_cast<uint32_t>(numbers.size())).first->second);
    }
    return missions;
}

std::vector<std::size_t> ShuffleOrder(const RotationDocument& document, const EntrySelection& selection,
                                      uint64_t seed, const MissionCatalogue& catalogue) {
    return ShuffledOrder(MissionsOf(document, selection, catalogue), selection.Count() == document.EntryCount(), seed);
}

std::vector<std::size_t> SortOrder(const RotationDocument& document, const EntrySelection& selection, SortKey key,
                                   const MissionCatalogue& catalogue) {
    const std::vector<std::string> texts = TextsOf(document, selection, [&](const CycleEntry& entry) {
        if (key == SortKey::DisplayText) return entry.ScenarioIndex == 0 ? entry.SourceText : entry.DisplayText;
        if (entry.ScenarioIndex != 0) return std::string(catalogue.Scenario(entry.ScenarioIndex).MissionFile);
        return entry.SourceText.substr(0, entry.SourceText.find("::"));
    });
    std::vector<std::size_t> order = Identity(texts.size());
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return texts[a] < texts[b]; });
    return order;
}

}  // namespace rotaplex
