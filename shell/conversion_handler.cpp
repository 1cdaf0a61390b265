#include "shell/conversion_handler.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <exception>
#include <optional>

#include "common/errors.h"
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
    bar_.setRange(0, 100);
    bar_.setVisible(true);
    reportCancel_ = true;
    finished_ = std::move(finished);
    auto result = std::make_shared<ConversionResult>();
    QApplication::setOverrideCursor(Qt::BusyCursor);
    run_.start([job, options, result](RunObserver& observer) {
        *result = runConversion(job, options, observer);
    }, [this, job, result](BackgroundOutcome outcome) { ended(job, *result, std::move(outcome)); });
    if (runningChanged_) runningChanged_(true);
}

void ConversionHandler::ended(const JobPaths& job, const ConversionResult& result,
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
            dialogs_.showMessage(&window_, QString::fromLatin1(kConversionCancelledMessage),
                                 MessageKind::Notice);
        }
    } else if (failure) {
        dialogs_.showMessage(&window_, *failure, MessageKind::Error);
    } else {
        dialogs_.showMessage(&window_, completionNotice(job, result), MessageKind::Notice);
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

QString completionNotice(const JobPaths& job, const ConversionResult& result) {
    QStringList lines{QString::fromLatin1(kConversionCompleteMessage), QString(),
                      QStringLiteral("Files written:")};
    for (const std::string& path : {result.obsPath, result.trvPath}) {
        if (!path.empty()) lines.append(fromPath(path));
    }
    if (result.pointFeatureFileWritten) lines.append(fromPath(job.pfPath));
    lines.append(QString());
    lines.append(QStringLiteral("Records converted: %1").arg(result.recordCount));
    lines.append(QStringLiteral("Points: %1").arg(result.pointCount));
    lines.append(QStringLiteral("Chains: %1").arg(result.chainCount));
    lines.append(QStringLiteral("Warnings: %1").arg(result.warningCount));
    return lines.join(QLatin1Char('\n'));
}

}  // namespace zendro
