#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "common/reporter.h"

namespace rotaplex::test {

// A fresh folder under the temporary folder, removed with all it holds at the end of the test.
// Path() ends with "\" like a game folder.
class TestFolder {
public:
    TestFolder();
    ~TestFolder();
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    const std::string& Path() const { return path_; }
    // Writes a file (folders made as needed) with the bytes given; returns its full path.
    std::string Write(const std::string& relative, const std::string& bytes) const;
    std::string MakeFolder(const std::string& relative) const;

private:
    std::string path_;
};

std::string ReadBytes(const std::string& path);
bool Exists(const std::string& path);
// Names of the entries in a folder (without "." and ".."), for checking leftovers.
std::vector<std::string> FolderEntries(const std::string& folder);

// A path of the machine running Wine as this Wine prefix sees it (drive Z:).
std::string WindowsPath(const std::string& unixPath);
// The repository's demo game folder, as a Windows path ending in "\".
std::string DemoGameFolder();

// Points the game's registry key at a folder for one test and puts back what was there before.
class GameFolderSetting {
public:
    explicit GameFolderSetting(const std::string& folder);
    ~GameFolderSetting();
    GameFolderSetting(const GameFolderSetting&) = delete;
    GameFolderSetting& operator=(const GameFolderSetting&) = delete;

private:
    bool hadValue_ = false;
    DWORD type_ = 0;
    std::vector<BYTE> bytes_;
};

// Sets the editor's remembered folders for one test and puts back what was there before (under the
// same resource lock as the game's key: the start-up reads both).
class RememberedFoldersSetting {
public:
    explicit RememberedFoldersSetting(const std::vector<std::string>& folders);
    ~RememberedFoldersSetting();
    RememberedFoldersSetting(const RememberedFoldersSetting&) = delete;
    RememberedFoldersSetting& operator=(const RememberedFoldersSetting&) = delete;

private:
    std::vector<std::string> before_;
};

// Collects what would be shown to the user.
class CapturingReporter : public Reporter {
public:
    void Report(const std::string& text) override { Messages.push_back(text); }
    std::vector<std::string> Messages;
};

}  // namespace rotaplex::test
