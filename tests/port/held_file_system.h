#pragma once

#include <condition_variable>
#include <mutex>
#include <string>

#include "forwarding_file_system.h"

namespace rotaplex::test {

// A real file system whose reading of one file waits until the test lets it go, as a slow disk
// or network share would hold it: what happens meanwhile can be looked at without any timing.
class HeldFileSystem final : public ForwardingFileSystem {
public:
    // Holds every read of a path that ends with ending.
    HeldFileSystem(FileSystem& real, std::string ending) : ForwardingFileSystem(real), ending_(std::move(ending)) {}
    ~HeldFileSystem() override { Release(); }

    FileBytes Read(const std::string& path, uint64_t cap) override {
        Hold(path);
        return real_.Read(path, cap);
    }
    FileBytes ReadListed(const std::string& path, const ListedName& listed, uint64_t cap) override {
        Hold(path);
        return real_.ReadListed(path, listed, cap);
    }

    // Until a read has come to the held file.
    void AwaitHeld() {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return reached_; });
    }
    void Release() {
        const std::lock_guard lock(mutex_);
        released_ = true;
        changed_.notify_all();
    }

private:
    void Hold(const std::string& path) {
        if (!path.ends_with(ending_)) return;
        std::unique_lock lock(mutex_);
        reached_ = true;
        changed_.notify_all();
        changed_.wait(lock, [this] { return released_; });
    }

    std::string ending_;
    std::mutex mutex_;
    std::condition_variable changed_;
    bool reached_ = false;
    bool released_ = false;
};

}  // namespace rotaplex::test
