#include "shell/conversion_handler.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <ctime>
#include <exception>
#include <optional>

#include "common/errors.h"
#include "conversion/pf_update.h"
#include "job/job_session.h"
#include "shell/conversion_questions.h"
#include "shell/shell_dialogs.h"
#include "shell/text_codec.h"

namespace zendro {

ConversionHandler::ConversionHandler(ShellDialogs& dialogs, QWidget& window, QProgressBar& bar,
                                     QLabel& statusLine, std::function<void(bool)> runningChanged)
    : dialogs_(dialogs),
      window_(window),
      bar_(bar),
      statusLine_(statusLine),
      runningChanged_(std::move(runningChanged)),
      run_([this](const QString& text) { statusLine_.setText(text); },
           [this](int percent) { bar_.setValue(percent); }) {}

ConversionHandler::~ConversionHandler() = default;

void ConversionHandler::convert(const JobPaths& job, const ConversionOptions& options,
                                std::function<void(bool)> finished) {
    if (running()) return;
    if (job.pfPath.empty()) {
        dialogs_.showMessage(&window_, QString::fromLatin1(kMustSelectMessage),
                             MessageKind::Warning);
        if (finished) finished(false);
        return;
    }
    std::optional<ConversionPlan> plan;
    try {
        plan = askBeforeConverting(dialogs_, &window_, job, options);
    } catch (const std::exception& error) {
        dialogs_.showMessage(&window_, fromMessage(error.what()), MessageKind::Error);
    }
    if (!plan) {
        if (finished) finished(false);
        return;
    }
    bar_.setRange(0, 100);
    bar_.setVisible(true);
    reportCancel_ = true;
    finished_ = std::move(finished);
    auto result = std::make_shared<ConversionResult>();
    auto pfUpdateLine = std::make_shared<std::string>();
    auto reviewLines = std::make_shared<std::vector<std::string>>();
    const review::ReviewLimits limits = limitsFor_(options.unit);
    QApplication::setOverrideCursor(Qt::BusyCursor);
    const std::optional<PfUpdate> pfUpdate = plan->pfUpdate;
    run_.start(
        [job, options, result, pfUpdateLine, reviewLines, pfUpdate, limits](RunObserver& observer) {
            if (pfUpdate) {
                const PfUpdateOutcome updated = updatePointFeatureFile(
                    job, *pfUpdate, options.commentCode, std::time(nullptr), observer);
                *pfUpdateLine = pfUpdateMessage(job, updated);
            }
            // Converted and reviewed as the command line does, so that the
            // notice says at once what the review thinks of the job.
            JobConfig config;
            config.options = options;
            config.limits = limits;
            config.printReview = true;
            JobSession session(job, config);
            *result = session.convert(observer);
            const review::ReviewReport& report = session.review().report;
            *reviewLines = {"Review: " + report.verdict(), report.summaryLine()};
        },
        [this, job, result, pfUpdateLine, reviewLines](BackgroundOutcome outcome) {
            QStringList lines;
            for (const std::string& line : *reviewLines) lines.append(fromMessage(line));
            ended(job, *result, fromMessage(*pfUpdateLine), lines, std::move(outcome));
        });
    if (runningChanged_) runningChanged_(true);
}

void ConversionHandler::ended(const JobPaths& job, const ConversionResult& result,
                              const QString& pfUpdateLine, const QStringList& reviewLines,
                              BackgroundOutcome outcome) {
    QApplication::restoreOverrideCursor();
    if (runningChanged_) runningChanged_(false);
    std::optional<QString> failure;
    bool cancelled = false;
    if (outcome.failure) {
        try {
            std::rethrow_exception(outcome.failure);
        } catch (const RunCancelled&) {
            cancelled = true;
        } catch (const ZendroError& error) {
            failure = fromMessage(error.what());
        } catch (const std::exception& error) {
            failure = fromPath(job.hvdPath) + QStringLiteral(": ") + fromMessage(error.what());
        }
    }
    if (!outcome.warnings.isEmpty()) {
        dialogs_.showMessage(&window_, warningsMessage(outcome.warnings), MessageKind::Warning);
    }
    resetProgress();
    if (cancelled) {
        if (reportCancel_) {
            QString text = QString::fromLatin1(kConversionCancelledMessage);
            // JOB.pf was updated, as asked, before the run began.
            if (!pfUpdateLine.isEmpty()) text += QStringLiteral("\n\nBefore it: ") + pfUpdateLine;
            dialogs_.showMessage(&window_, text, MessageKind::Notice);
        }
    } else if (failure) {
        dialogs_.showMessage(&window_, *failure, MessageKind::Error);
    } else {
        lastResult_ = result;
        dialogs_.showMessage(&window_, completionNotice(job, result, pfUpdateLine, reviewLines),
                             completionKind(result));
    }
    const std::function<void(bool)> finished = std::move(finished_);
    finished_ = nullptr;
    if (finished) finished(!cancelled && !failure);
}

void ConversionHandler::cancel(bool report) {
    if (!running()) return;
    reportCancel_ = report;
    run_.requestCancel();
}

void ConversionHandler::cancelAndWait() {
    if (!running()) return;
    cancel(false);
    run_.finishNow();
}

void ConversionHandler::resetProgress() {
    bar_.setValue(0);
    statusLine_.clear();
}

QString warningsMessage(const QStringList& warnings, int limit) {
    QStringList shown = warnings.mid(0, limit);
    if (warnings.size() > limit) {
        shown.append(QStringLiteral("... and %1 more").arg(warnings.size() - limit));
    }
    return shown.join(QLatin1Char('\n'));
}

QString completionNotice(const JobPaths& job, const ConversionResult& result,
                         const QString& pfUpdateLine, const QStringList& reviewLines) {
    QStringList lines{QString::fromLatin1(kConversionCompleteMessage)};
    if (result.shortDownload) {
        // The crew must know before leaving the site that the job is incomplete.
        lines.append(QString());
        lines.append(
            QStringLiteral("%1 ends inside a record: the download was most likely cut "
                           "short. %2 whole records converted; %3 point-feature entries that no "
                           "record observed. Download the job again.")
                .arg(fromPath(job.hvdPath))
                .arg(result.shortDownload->wholeRecords)
                .arg(result.shortDownload->unobservedEntries));
    }
    if (!pfUpdateLine.isEmpty()) {
        lines.append(QString());
        lines.append(pfUpdateLine);
    }
    lines.append(QString());
    lines.append(QStringLiteral("Files written:"));
    for (const std::string& path : {result.obsPath, result.trvPath}) {
        if (!path.empty()) lines.append(fromPath(path));
    }
    if (result.pointFeatureFileWritten) lines.append(fromPath(job.pfPath));
    for (const EditedOutput& kept : result.keptEdits) {
        lines.append(
            QStringLiteral("%1 (the edited %2)").arg(fromPath(kept.keepAs), fromPath(kept.path)));
    }
    lines.append(QString());
    lines.append(QStringLiteral("Records converted: %1").arg(result.recordCount));
    lines.append(QStringLiteral("Points: %1").arg(result.pointCount));
    lines.append(QStringLiteral("Chains: %1").arg(result.chainCount));
    lines.append(QStringLiteral("Warnings: %1").arg(result.warningCount));
    if (!reviewLines.isEmpty()) {
        lines.append(QString());
        lines.append(reviewLines);
    }
    return lines.join(QLatin1Char('\n'));
}

MessageKind completionKind(const ConversionResult& result) {
    return result.shortDownload ? MessageKind::Warning : MessageKind::Notice;
}

}  // namespace zendro
