#include "cycle/session_reading.h"

#include <utility>

namespace rotaplex {

SessionReading::SessionReading(GameSession session) : session_(std::move(session)) {}

void SessionReading::Run() {
    const auto started = std::chrono::steady_clock::now();
    try {
        session_.ReadMissions(missionReports_, &progress_);
        session_.ParseRotation(rotationReports_);
    } catch (...) {
        failure_ = std::current_exception();
    }
    took_ = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started);
    {
        const std::lock_guard lock(mutex_);
        done_ = true;
    }
    ended_.notify_all();
}

bool SessionReading::WaitDone(std::chrono::milliseconds wait) {
    std::unique_lock lock(mutex_);
    return ended_.wait_for(lock, wait, [this] { return done_; });
}

GameSession SessionReading::Take() {
    if (failure_) std::rethrow_exception(failure_);
    return std::move(session_);
}

}  // namespace rotaplex
