#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

#include "conversion/conversion_options.h"
#include "conversion/conversion_run.h"
#include "review/review_limits.h"
#include "shell/background_run.h"
#include "shell/shell_dialogs.h"

class QLabel;
class QProgressBar;
class QWidget;

namespace zendro {

// The Convert button: refuses without a selected job, asks first about
// hand-edited outputs and a stale JOB.pf (shell/conversion_questions.h), then converts it
// with the window's options on a worker thread, showing progress, and reports
// the end or the failure. Each conversion reads the job's files afresh, so
// Convert may be pressed again at any time.
//
// The user can act while the run goes on: `runningChanged` is told when a run
// starts and ends, so the window can lock what would start other work, and
// `cancel` stops the run.
class ConversionHandler {
  public:
    ConversionHandler(ShellDialogs& dialogs, QWidget& window, QProgressBar& bar, QLabel& statusLine,
                      std::function<void(bool running)> runningChanged);
    ~ConversionHandler();

    // Starts converting `job` (an empty path: refused with a message). The
    // outcome is shown once the run ends; `finished` is then told whether
    // it completed.
    void convert(const JobPaths& job, const ConversionOptions& options,
                 std::function<void(bool completed)> finished = {});

    // The review limits of a unit, which the completion notice's verdict is
    // judged by: the Review page's, the defaults until the window says.
    void setLimitsSource(std::function<review::ReviewLimits(LengthUnit)> source) {
        limitsFor_ = std::move(source);
    }

    bool running() const { return run_.running(); }
    // What the last run that completed gave; empty before one did.
    const std::optional<ConversionResult>& lastResult() const { return lastResult_; }
    // Stops a running conversion at its next record; it then writes nothing.
    // `report`: whether a message then says so.
    void cancel(bool report = true);
    // Cancels a running conversion and waits for it to stop.
    void cancelAndWait();

  private:
    void ended(const JobPaths& job, const ConversionResult& result, const QString& pfUpdateLine,
               const QStringList& reviewLines, BackgroundOutcome outcome);
    void resetProgress();

    ShellDialogs& dialogs_;
    QWidget& window_;
    QProgressBar& bar_;
    QLabel& statusLine_;
    std::function<void(bool)> runningChanged_;
    std::function<void(bool)> finished_;
    bool reportCancel_ = true;
    std::optional<ConversionResult> lastResult_;
    std::function<review::ReviewLimits(LengthUnit)> limitsFor_ = review::defaultLimits;
    BackgroundRun run_;
};

// Warnings of a run as one message: one per line, at most `limit` of them.
QString warningsMessage(const QStringList& warnings, int limit = 20);

// The message at the end of a run: the completion text, then what was done
// (`pfUpdateLine`: what became of JOB.pf before it, when it was updated).
// After a cut download it warns: see completionKind.
// `reviewLines`: the review's verdict and summary of the converted job.
QString completionNotice(const JobPaths& job, const ConversionResult& result,
                         const QString& pfUpdateLine = {}, const QStringList& reviewLines = {});
MessageKind completionKind(const ConversionResult& result);

inline constexpr const char* kMustSelectMessage = "Must Select a file before you can convert!";
inline constexpr const char* kConversionCompleteMessage = "The File Conversion is Complete";
inline constexpr const char* kConversionCancelledMessage =
    "The conversion was cancelled. No file was written; the files of the previous conversion "
    "are as they were.";

}  // namespace zendro
