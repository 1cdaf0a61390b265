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
namespace {

// The busy cursor for as long as it lives.
class BusyCursor {
  public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::BusyCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

}  // namespace

ConversionHandler::ConversionHandler(ShellDialogs& dialogs, QWidget& window, QProgressBar& bar,
                                     QLabel& statusLine, ProgressThrottle throttle,
                                     std::function<void(bool)> runningChanged)
    : dialogs_(dialogs),
      window_(window),
      bar_(bar),
      statusLine_(statusLine),
      throttle_(throttle),
      runningChanged_(std::move(runningChanged)) {}

bool ConversionHandler::convert(const SessionState& session, const ConversionOptions& options) {
    if (running_) return false;
    if (!session.jobSelected()) {
        dialogs_.showMessage(&window_, QString::fromLatin1(kMustSelectMessage),
                             MessageKind::Warning);
        return false;
    }

    bar_.setRange(0, 100);
    bar_.setVisible(true);
    WindowObserver observer(bar_, statusLine_, throttle_, RunInput::Allowed);
    std::optional<QString> failure;
    ConversionResult result;
    bool cancelled = false;
    activeRun_ = &observer;
    reportCancel_ = true;
    setRunning(true);
    try {
        const BusyCursor busy;
        result = runConversion(session.job, options, observer);
    } catch (const RunCancelled&) {
        cancelled = true;
    } catch (const ZendroError& error) {
        failure = fromMessage(error.what());
    } catch (const std::exception& error) {
        failure = fromPath(session.job.hvdPath) + QStringLiteral(": ") + fromMessage(error.what());
    }
    activeRun_ = nullptr;
    setRunning(false);

    if (!observer.warnings().isEmpty()) {
        dialogs_.showMessage(&window_, warningsMessage(observer.warnings()), MessageKind::Warning);
    }
    if (cancelled) {
        resetProgress();
        if (reportCancel_) {
            dialogs_.showMessage(&window_, QString::fromLatin1(kConversionCancelledMessage),
                                 MessageKind::Notice);
        }
        return false;
    }
    if (failure) {
        resetProgress();
        dialogs_.showMessage(&window_, *failure, MessageKind::Error);
        return false;
    }
    dialogs_.showMessage(&window_, completionNotice(session.job, result), MessageKind::Notice);
    resetProgress();
    return true;
}

void ConversionHandler::cancel(bool report) {
    if (activeRun_ == nullptr) return;
    reportCancel_ = report;
    activeRun_->requestCancel();
}

void ConversionHandler::setRunning(bool running) {
    running_ = running;
    if (runningChanged_) runningChanged_(running);
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
