#pragma once

#include "common/session_state.h"
#include "conversion/conversion_options.h"
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
class ConversionHandler {
  public:
    ConversionHandler(ShellDialogs& dialogs, QWidget& window, QProgressBar& bar, QLabel& statusLine,
                      ProgressThrottle throttle);

    // True when the conversion completed.
    bool convert(const SessionState& session, const ConversionOptions& options);

    bool running() const { return running_; }

  private:
    void resetProgress();

    ShellDialogs& dialogs_;
    QWidget& window_;
    QProgressBar& bar_;
    QLabel& statusLine_;
    ProgressThrottle throttle_;
    bool running_ = false;
};

// Warnings of a run as one message: one per line, at most `limit` of them.
QString warningsMessage(const QStringList& warnings, int limit = 20);

inline constexpr const char* kMustSelectMessage = "Must Select a file before you can convert!";
inline constexpr const char* kConversionCompleteMessage = "The File Conversion is Complete";

}  // namespace zendro
