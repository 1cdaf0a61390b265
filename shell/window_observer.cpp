#include "shell/window_observer.h"

#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <algorithm>

#include "shell/text_codec.h"

namespace zendro {

WindowObserver::WindowObserver(QProgressBar& bar, QLabel& statusLine, ProgressThrottle throttle,
                               RunInput input)
    : bar_(bar), statusLine_(statusLine), throttle_(throttle), input_(input) {
    sinceEvents_.start();
}

void WindowObserver::status(std::string_view text) {
    statusLine_.setText(fromMessage(text));
    // A new pass is rare and worth showing at once.
    processEvents(true);
}

void WindowObserver::progress(double percent) {
    const int value = static_cast<int>(std::clamp(percent, 0.0, 100.0));
    if (!throttle_.enabled) {
        bar_.setValue(value);
        bar_.repaint();
        processEvents(true);
        return;
    }
    if (value != bar_.value()) bar_.setValue(value);
    processEvents(false);
}

void WindowObserver::warning(std::string_view message) { warnings_.append(fromMessage(message)); }

void WindowObserver::processEvents(bool force) {
    if (!force && sinceEvents_.elapsed() < throttle_.eventInterval.count()) return;
    QCoreApplication::processEvents(
        input_ == RunInput::Allowed ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
    ++eventPasses_;
    sinceEvents_.restart();
}

}  // namespace zendro
