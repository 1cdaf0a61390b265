#pragma once

#include <functional>

#include "common/session_state.h"
#include "conversion/conversion_options.h"
#include "conversion/conversion_run.h"
#include "shell/window_observer.h"

class QLabel;
class QProgressBar;
class QWidget;

namespace zendro {

class ShellDialogs;

// The Convert button: refuses without a selected job, otherwise converts it
// with the window's options, showing progress, and reports the end or the
// failure. Each conversion reads the job's files afresh, so Convert may be
// pressed again at any time.
//
// The user can act while the run goes on: `runningChanged` is told when a run
// starts and ends, so the window can lock what would start other work, and
// `cancel` stops the run.
class ConversionHandler {
  public:
    ConversionHandler(ShellDialogs& dialogs, QWidget& window, QProgressBar& bar, QLabel& statusLine,
                      ProgressThrottle throttle, std::function<void(bool running)> runningChanged);

    // True when the conversion completed.
    bool convert(const SessionState& session, const ConversionOptions& options);

    bool running() const { return running_; }
    // Stops a running conversion at its next record; it then writes nothing.
    // `report`: whether a message then says so.
    void cancel(bool report = true);

  private:
    void setRunning(bool running);
    void resetProgress();

    ShellDialogs& dialogs_;
    QWidget& window_;
    QProgressBar& bar_;
    QLabel& statusLine_;
    ProgressThrottle throttle_;
    std::function<void(bool)> runningChanged_;
    bool running_ = false;
    WindowObserver* activeRun_ = nullptr;
    bool reportCancel_ = true;
};

// Warnings of a run as one message: one per line, at most `limit` of them.
QString warningsMessage(const QStringList& warnings, int limit = 20);

// The message at the end of a run: the completion text, then what was done.
QString completionNotice(const JobPaths& job, const ConversionResult& result);

inline constexpr const char* kMustSelectMessage = "Must Select a file before you can convert!";
inline constexpr const char* kConversionCompleteMessage = "The File Conversion is Complete";
inline constexpr const char* kConversionCancelledMessage =
    "The conversion was cancelled. No file was written; the files of the previous conversion "
    "are as they were.";

}  // namespace zendro
