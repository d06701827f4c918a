#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>

#include "forwarding_file_system.h"

namespace rotaplex::test {

// A platform's real file system with one call made to fail: the nth call of one step, as a full
// disk, a refused rename or a dying network share would.
class FaultyFileSystem final : public ForwardingFileSystem {
public:
    enum class Step { None, Create, Write, Finish, Link, Rename, Sync };

    FaultyFileSystem(FileSystem& real, Step failing, int nth = 1)
        : ForwardingFileSystem(real), failing_(failing), nth_(nth) {}
    // At the step, instead of failing, another program's doing; then the step goes on.
    FaultyFileSystem(FileSystem& real, Step at, std::function<void()> meddle)
        : ForwardingFileSystem(real), failing_(at), nth_(1), meddle_(std::move(meddle)) {}

    std::unique_ptr<WrittenFile> Create(const std::string& path, const std::string& like) override {
        Meet(Step::Create, path);
        return std::make_unique<File>(*this, real_.Create(path, like), path);
    }
    void Link(const std::string& existing, const std::string& path) override {
        Meet(Step::Link, path);
        real_.Link(existing, path);
    }
    void Rename(const std::string& from, const std::string& to) override {
        Meet(Step::Rename, to);
        real_.Rename(from, to);
    }
    void SyncFolder(const std::string& folder) override {
        Meet(Step::Sync, folder);
        real_.SyncFolder(folder);
    }
    static constexpr const char* kReason = "The step failed on purpose.";

private:
    // Half the bytes reach the disk before a write fails, as on a disk that fills up.
    class File final : public WrittenFile {
    public:
        File(FaultyFileSystem& fs, std::unique_ptr<WrittenFile> real, std::string path)
            : fs_(fs), real_(std::move(real)), path_(std::move(path)) {}
        void Write(std::string_view bytes) override {
            if (fs_.Fails(Step::Write)) {
                real_->Write(bytes.substr(0, bytes.size() / 2));
                throw FileError(path_, kReason);
            }
            real_->Write(bytes);
        }
        void Finish() override {
            fs_.Meet(Step::Finish, path_);
            real_->Finish();
        }

    private:
        FaultyFileSystem& fs_;
        std::unique_ptr<WrittenFile> real_;
        std::string path_;
    };

    bool Fails(Step step) { return step == failing_ && ++met_[step] == nth_; }
    void Meet(Step step, const std::string& path) {
        if (!Fails(step)) return;
        if (!meddle_) throw FileError(path, kReason);
        meddle_();
    }

    Step failing_;
    int nth_;
    std::function<void()> meddle_;
    std::map<Step, int> met_;
};

}  // namespace rotaplex::test
