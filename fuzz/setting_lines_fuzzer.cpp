// One scenario's settings block as raw text: split into lines, each applied to one record as
// the catalogue does after a "[server]" line, and checked against the same line cleaned first.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iterator>
#include <string>

#include "tests/plain_mission_walk.h"

#include "cycle/line_reader.h"
#include "fuzz_check.h"

namespace rotaplex::fuzz {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The leading number read as a double by the C library and rounded half to even, as an
// independent answer to compare LeadingNumber with. A value with at most 15 digits from its
// first to its last non-zero digit lies either on a halfway point or farther from it than a
// double's error, so the double rounds the same way as exact arithmetic. Returns -1 for longer
// values, where the double may round differently.
int DoubleReading(std::string_view value) {
    std::size_t end = 0;
    bool point = false;
    std::size_t firstSignificant = std::string_view::npos;
    std::size_t lastSignificant = 0;
    std::size_t digitCount = 0;
    for (; end < value.size(); ++end) {
        if (IsDigit(value[end])) {
            if (value[end] != '0') {
                if (firstSignificant == std::string_view::npos) firstSignificant = digitCount;
                lastSignificant = digitCount;
            }
            ++digitCount;
        } else if (value[end] == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (firstSignificant == std::string_view::npos) return 0;
    if (lastSignificant - firstSignificant >= 15) return -1;
    if (end + 1 < value.size() && (value[end] == 'e' || value[end] == 'E') && IsDigit(value[end + 1])) {
        for (end += 2; end < value.size() && IsDigit(value[end]); ++end) {
        }
    }
    const double number = std::strtod(std::string(value.substr(0, end)).c_str(), nullptr);
    return static_cast<int>(std::fmin(std::nearbyint(number), 32767.0));
}

// Lines and their ends cover the text exactly, and each end is CR LF or a lone CR.
void RequireLinesCoverText(std::string_view text) {
    LineReader reader(text);
    std::string_view line;
    std::size_t pos = 0;
    while (reader.Next(line)) {
        Require(line.data() == text.data() + pos, "a line does not start where the last one ended");
        Require(line.find('\r') == std::string_view::npos, "a line holds a CR");
        pos += line.size();
        if (pos == text.size()) break;
        ++pos;
        if (pos < text.size() && text[pos] == '\n') ++pos;
    }
    Require(pos == text.size() && !reader.Next(line), "the lines do not end with the text");
}

void CheckLine(std::string_view line, ScenarioInfo& record, TextArena& texts) {
    const std::string cleaned = CleanLine(line);
    std::string kept;
    std::copy_if(line.begin(), line.end(), std::back_inserter(kept), CleaningKeeps);
    Require(cleaned == kept, "CleanLine does not give the kept characters in their order");

    const std::size_t equals = cleaned.find('=');
    if (equals != std::string::npos) {
        const std::string_view value = std::string_view(cleaned).substr(equals + 1);
        const int expected = DoubleReading(value);
        Require(expected < 0 || LeadingNumber(value) == expected,
                "LeadingNumber differs from the C library's reading");
    }
    // The catalogue hands lines over as read: that must set what the cleaned line sets.
    ScenarioInfo fromLine = record;
    plain::ParseSetting(line, fromLine, texts);
    plain::ParseSetting(cleaned, record, texts);
    Require(fromLine == record, "a line as read sets something else than the cleaned line");
}

}  // namespace
}  // namespace rotaplex::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    using namespace rotaplex;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    fuzz::RequireLinesCoverText(text);

    TextArena texts;
    ScenarioInfo record;
    record.ScenarioKey = "Key";
    record.MissionFile = "m.nfo";
    ResetScenario(record);
    LineReader reader(text);
    std::string_view line;
    while (reader.Next(line)) fuzz::CheckLine(line, record, texts);

    fuzz::Require(record.ScenarioKey == "Key" && record.MissionFile == "m.nfo",
                  "a setting changed the identifying texts");
    fuzz::RequireSoundSettings(record);
    return 0;
}
