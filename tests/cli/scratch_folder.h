#pragma once

#include <string>
#include <vector>

namespace rotaplex::test {

// A fresh folder under the temporary folder, removed with all it holds at the end of the test.
// Path() ends with "/" like a game folder.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& Path() const { return path_; }
    // Writes a file (folders made as needed) with the bytes given; returns its full path.
    std::string Write(const std::string& relative, const std::string& bytes) const;
    std::string Read(const std::string& relative) const;
    bool Exists(const std::string& relative) const;
    // The names in a folder below this one, sorted.
    std::vector<std::string> Entries(const std::string& relative = "") const;

private:
    std::string path_;
};

// A game folder with the given mission files (name, text) and servercycle.txt.
struct GameFiles {
    std::vector<std::pair<std::string, std::string>> Missions;
    std::string Rotation;
};
void WriteGame(const ScratchFolder& folder, const GameFiles& files);

// A mission file's text declaring the scenarios with the given keys, each named after its key
// and of the ruleset "Duel".
std::string MissionText(const std::vector<std::string>& keys);

}  // namespace rotaplex::test
