#pragma once

#include <QElapsedTimer>
#include <QStringList>
#include <chrono>

#include "common/run_observer.h"

class QLabel;
class QProgressBar;

namespace zendro {

// How often the window lets the event loop repaint during a run.
struct ProgressThrottle {
    bool enabled = true;
    // With the throttle on, events are processed at most this often; the bar
    // only changes when the whole percent does.
    std::chrono::milliseconds eventInterval{50};
};

// Whether the user can act while a run goes on. When so, the window must
// lock whatever would start other work, and the run can be cancelled.
enum class RunInput {
    Excluded,  // only paint and timer events are processed
    Allowed,   // user input too
};

// Shows a run in the window: status texts in the status line, progress in the
// bar, warnings kept for a message after the run.
class WindowObserver final : public RunObserver {
  public:
    WindowObserver(QProgressBar& bar, QLabel& statusLine, ProgressThrottle throttle,
                   RunInput input = RunInput::Excluded);

    void status(std::string_view text) override;
    void progress(double percent) override;
    void warning(std::string_view message) override;
    bool cancelRequested() const override { return cancelRequested_; }

    // The run stops at its next record and writes nothing.
    void requestCancel() { cancelRequested_ = true; }

    const QStringList& warnings() const { return warnings_; }
    // Number of times the event loop ran (for measurements).
    long eventPasses() const { return eventPasses_; }

  private:
    void processEvents(bool force);

    QProgressBar& bar_;
    QLabel& statusLine_;
    ProgressThrottle throttle_;
    RunInput input_;
    bool cancelRequested_ = false;
    QElapsedTimer sinceEvents_;
    QStringList warnings_;
    long eventPasses_ = 0;
};

}  // namespace zendro
