#include "scratch_folder.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace rotaplex::test {

namespace fs = std::filesystem;

ScratchFolder::ScratchFolder() {
    std::string pattern = (fs::temp_directory_path() / "rotaplex-cli-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a scratch folder");
    path_ = pattern + "/";
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

std::string ScratchFolder::Write(const std::string& relative, const std::string& bytes) const {
    const fs::path path = path_ + relative;
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    return path.string();
}

std::string ScratchFolder::Read(const std::string& relative) const {
    std::ifstream in(path_ + relative, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool ScratchFolder::Exists(const std::string& relative) const {
    return fs::exists(fs::symlink_status(path_ + relative));
}

std::vector<std::string> ScratchFolder::Entries(const std::string& relative) const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(path_ + relative))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

void WriteGame(const ScratchFolder& folder, const GameFiles& files) {
    fs::create_directories(folder.Path() + "resource/missions");
    for (const auto& [name, text] : files.Missions) folder.Write("resource/missions/" + name, text);
    folder.Write("servercycle.txt", files.Rotation);
}

std::string MissionText(const std::vector<std::string>& keys) {
    std::string text = "[Scenarios]\r\n";
    for (const std::string& key : keys)
        text += key + " = {\r\n[server]\r\nname = " + key + "\r\nruleset = Duel\r\n}\r\n";
    return text;
}

}  // namespace rotaplex::test
