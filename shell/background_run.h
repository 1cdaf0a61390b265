#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <atomic>
#include <exception>
#include <functional>
#include <thread>

#include "common/run_observer.h"

namespace zendro {

// How a piece of core work ended: the warnings it gave and, when it failed or
// was cancelled, what it threw.
struct BackgroundOutcome {
    QStringList warnings;
    std::exception_ptr failure;
};

// Runs one piece of core work on a thread of its own, so the window keeps
// answering. The work reports through a RunObserver whose status and progress
// reach the window as queued calls on the window's thread; a cancel is an
// atomic flag the core polls between records. Warnings stay with the worker
// until it is joined, so they need no lock.
class BackgroundRun {
  public:
    using Work = std::function<void(RunObserver&)>;
    using Done = std::function<void(BackgroundOutcome)>;

    // `onStatus` and `onProgress` (whole percent, told only when it changes)
    // are called on the thread that made this object.
    BackgroundRun(std::function<void(const QString&)> onStatus, std::function<void(int)> onProgress);
    // Cancels a work still running and waits for it; `done` is not called then.
    ~BackgroundRun();
    BackgroundRun(const BackgroundRun&) = delete;
    BackgroundRun& operator=(const BackgroundRun&) = delete;

    // Starts `work`; `done` follows on this object's thread once it has ended.
    // One work at a time: false while one runs.
    bool start(Work work, Done done);
    bool running() const { return worker_.joinable(); }
    void requestCancel() { cancel_.store(true); }
    // Waits for the work to end and calls `done` now, not later.
    void finishNow();

  private:
    class ThreadObserver;
    void finish();

    std::function<void(const QString&)> onStatus_;
    std::function<void(int)> onProgress_;
    // Queued calls go to this object: with it gone, late calls are dropped.
    QObject receiver_;
    std::atomic<bool> cancel_{false};
    BackgroundOutcome outcome_;
    Done done_;
    std::thread worker_;
};

}  // namespace zendro
