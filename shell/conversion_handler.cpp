#include "shell/conversion_handler.h"

#include <QLabel>
#include <QProgressBar>
#include <exception>
#include <optional>

#include "common/errors.h"
#include "conversion/conversion_run.h"
#include "shell/shell_dialogs.h"
#include "shell/text_codec.h"

namespace zendro {

ConversionHandler::ConversionHandler(ShellDialogs& dialogs, QWidget& window, QProgressBar& bar,
                                     QLabel& statusLine, ProgressThrottle throttle)
    : dialogs_(dialogs), window_(window), bar_(bar), statusLine_(statusLine), throttle_(throttle) {}

bool ConversionHandler::convert(const SessionState& session, const ConversionOptions& options) {
    if (running_) return false;
    if (!session.jobSelected()) {
        dialogs_.showMessage(&window_, QString::fromLatin1(kMustSelectMessage));
        return false;
    }

    bar_.setRange(0, 100);
    bar_.setVisible(true);
    WindowObserver observer(bar_, statusLine_, throttle_);
    std::optional<QString> failure;
    running_ = true;
    try {
        runConversion(session.job, options, observer);
    } catch (const ZendroError& error) {
        failure = fromMessage(error.what());
    } catch (const std::exception& error) {
        failure = fromPath(session.job.hvdPath) + QStringLiteral(": ") + fromMessage(error.what());
    }
    running_ = false;

    if (!observer.warnings().isEmpty()) {
        dialogs_.showMessage(&window_, warningsMessage(observer.warnings()));
    }
    if (failure) {
        resetProgress();
        dialogs_.showMessage(&window_, *failure);
        return false;
    }
    dialogs_.showMessage(&window_, QString::fromLatin1(kConversionCompleteMessage));
    resetProgress();
    return true;
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

}  // namespace zendro
