#pragma once

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace rotaplex::test {

// A fresh folder under the temporary folder for one test, removed with all it holds; made with
// the standard library alone, so that the same test runs on every platform's file system.
class PortFolder {
public:
    explicit PortFolder(char separator) : separator_(separator) {
        std::random_device random;
        root_ = std::filesystem::temp_directory_path() / ("rotaplex-port-" + std::to_string(random()));
        std::filesystem::create_directories(root_);
    }
    ~PortFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }
    PortFolder(const PortFolder&) = delete;
    PortFolder& operator=(const PortFolder&) = delete;

    // The folder, ending with the separator, as a game folder does; and a name in it.
    std::string Path() const { return root_.string() + separator_; }
    std::string Path(const std::string& name) const { return Path() + name; }

    std::string Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(root_ / name, std::ios::binary | std::ios::trunc) << bytes;
        return Path(name);
    }
    std::string MakeFolder(const std::string& name) const {
        std::filesystem::create_directories(root_ / name);
        return Path(name);
    }
    // The bytes of a file, or "(none)" when it is not there.
    std::string Read(const std::string& name) const {
        if (!std::filesystem::exists(root_ / name)) return "(none)";
        std::ifstream in(root_ / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(root_)) names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    std::filesystem::path root_;
    char separator_;
};

}  // namespace rotaplex::test
