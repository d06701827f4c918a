#pragma once

#include <memory>
#include <string>

#include "cycle/file_system.h"

namespace rotaplex::test {

// A platform's real file system behind another one, for test file systems that change a few
// calls and pass the rest on.
class ForwardingFileSystem : public FileSystem {
public:
    explicit ForwardingFileSystem(FileSystem& real) : real_(real) {}

    char Separator() const override { return real_.Separator(); }
    PathKind KindOf(const std::string& path) override { return real_.KindOf(path); }
    std::string MissingReason() const override { return real_.MissingReason(); }
    std::string PathFromCodePage(std::string_view text) const override { return real_.PathFromCodePage(text); }
    std::vector<ListedName> List(const std::string& folder, std::string_view ending) override {
        return real_.List(folder, ending);
    }
    FileBytes Read(const std::string& path, uint64_t cap) override { return real_.Read(path, cap); }
    FileBytes ReadListed(const std::string& path, const ListedName& listed, uint64_t cap) override {
        return real_.ReadListed(path, listed, cap);
    }
    FileBytes ReadHead(const std::string& path, uint64_t most) override { return real_.ReadHead(path, most); }
    std::optional<std::string> FinalPath(const std::string& path) override { return real_.FinalPath(path); }
    bool IsLink(const std::string& path) override { return real_.IsLink(path); }
    std::unique_ptr<WrittenFile> Create(const std::string& path, const std::string& like) override {
        return real_.Create(path, like);
    }
    void Link(const std::string& existing, const std::string& path) override { real_.Link(existing, path); }
    void Rename(const std::string& from, const std::string& to) override { real_.Rename(from, to); }
    bool Remove(const std::string& path) override { return real_.Remove(path); }
    void MakeFolder(const std::string& path) override { real_.MakeFolder(path); }
    void SyncFolder(const std::string& folder) override { real_.SyncFolder(folder); }
    std::unique_ptr<FolderLock> TryLock(const std::string& path) override { return real_.TryLock(path); }
    void Pause() override { real_.Pause(); }

protected:
    FileSystem& real_;
};

}  // namespace rotaplex::test
