#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <exception>
#include <mutex>

#include "cycle/game_session.h"
#include "cycle/report_batch.h"

namespace rotaplex {

// The read of a game folder's mission files away from the window's thread, then its rotation
// matched against them: the window shows and answers meanwhile, and takes the session when the
// read is done. Run belongs to the reading thread; the rest may be asked from any thread.
class SessionReading {
public:
    // The session has read its rotation file, so that one that cannot be read stops the start
    // before anything is shown.
    explicit SessionReading(GameSession session);

    // Reads; never throws: what stops it is handed over by Take.
    void Run();
    // Asks Run to end before the next file: the program is closing.
    void Stop() { progress_.Stop = true; }
    std::size_t FilesRead() const { return progress_.Read; }
    std::size_t FilesListed() const { return progress_.Listed; }
    // Whether Run has ended, waiting up to wait for it.
    bool WaitDone(std::chrono::milliseconds wait);

    // Once Run has ended. The reports come in the order a start tells them: the mission files',
    // then the rotation's. Take rethrows what ended the read early (out of memory, say).
    GameSession Take();
    const ReportBatch& MissionReports() const { return missionReports_; }
    const ReportBatch& RotationReports() const { return rotationReports_; }
    std::chrono::milliseconds Took() const { return took_; }

private:
    GameSession session_;
    ScanProgress progress_;
    ReportBatch missionReports_;
    ReportBatch rotationReports_;
    std::exception_ptr failure_;
    std::chrono::milliseconds took_{0};
    std::mutex mutex_;
    std::condition_variable ended_;
    bool done_ = false;
};

}  // namespace rotaplex
