#pragma once

// The reading order of a mission description file done plainly: lines split one character at a
// time, every line cleaned as it is looked at and every setting line applied cleaned. The catalogue's reader must give the same records and the same outcome on any text;
// the unit tests and a fuzz target both hold it to that.
#include <string>
#include <string_view>
#include <vector>

#include "cycle/mission_catalogue.h"

namespace rotaplex::plain {

struct WalkedFile {
    TextArena texts;  // the records' texts
    std::vector<ScenarioInfo> records;
    MissionFileOutcome outcome;
};

// Applies one "key=value" line to the record; unknown keys and lines without "=" change nothing.
inline void ParseSetting(std::string_view line, ScenarioInfo& record, TextArena& texts) {
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) return;
    const int setting = SettingOfKey(line.substr(0, equals));
    if (setting != kNoSetting) ApplySetting(setting, line.substr(equals + 1), record, texts);
}

// A line ends at CR LF or at a lone CR; a final line end adds no empty line.
inline std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = start;
        while (end < text.size() && text[end] != '\r') ++end;
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
        if (start < text.size() && text[start] == '\n') ++start;
    }
    return lines;
}

inline WalkedFile ParseByWalking(std::string_view text, const std::string& fileName) {
    WalkedFile walked;
    const std::vector<std::string_view> lines = SplitLines(text);
    std::size_t next = 0;
    std::string cleaned;
    const auto readUntil = [&](auto isWanted) {
        while (next < lines.size()) {
            cleaned = CleanLine(lines[next++]);
            if (isWanted()) return true;
        }
        return false;
    };
    walked.outcome.HasSection = readUntil([&] { return LowerCase(cleaned) == "[scenarios]"; });
    if (!walked.outcome.HasSection) return walked;
    while (readUntil([&] { return cleaned.ends_with("={"); })) {
        ScenarioInfo& record = walked.records.emplace_back();
        ResetScenario(record);
        record.MissionFile = walked.texts.Keep(fileName);
        record.ScenarioKey = walked.texts.Keep(std::string_view(cleaned).substr(0, cleaned.size() - 2));
        if (!readUntil([&] { return LowerCase(cleaned) == "[server]"; })) {
            walked.outcome.MissingServer = true;
            break;
        }
        while (next < lines.size()) {
            cleaned = CleanLine(lines[next++]);
            ParseSetting(cleaned, record, walked.texts);
            if (cleaned == "}") break;
        }
    }
    return walked;
}

}  // namespace rotaplex::plain
