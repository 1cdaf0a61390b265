#pragma once

#include <QObject>
#include <functional>
#include <memory>

#include "shell/background_run.h"

class QShortcut;
class QWidget;

namespace zendro {

class WindowStatus;

// A page that needs work on the job before it shows it (the point-name pass,
// the feature grid's rows) waits for that work off the window's thread, as a
// conversion does: the busy cursor, the page's controls disabled, the pass and
// its progress in the status bar with Cancel beside them; Esc cancels too.
// `runningChanged` lets the window lock what would start other work.
class PageLoad final : public QObject {
    Q_OBJECT

  public:
    PageLoad(QWidget& window, WindowStatus& status);
    ~PageLoad() override;

    // Starts `work` for `page`. Once it ends, `shown` follows on the window's
    // thread with its outcome, or `cancelled` when the user cancelled before
    // then: the page is then not to show what the work made. One at a time.
    void start(QWidget& page, BackgroundRun::Work work,
               std::function<void(BackgroundOutcome)> shown, std::function<void()> cancelled);
    bool running() const { return run_.running(); }
    void cancel();
    // Cancels and waits for the work; neither callback follows.
    void cancelAndWait();

  signals:
    void runningChanged(bool running);

  private:
    void ended(BackgroundOutcome outcome);
    void settle();

    WindowStatus& status_;
    QShortcut* escape_ = nullptr;
    QWidget* page_ = nullptr;
    bool cancelled_ = false;
    bool quiet_ = false;  // no callback after cancelAndWait
    std::function<void(BackgroundOutcome)> shown_;
    std::function<void()> cancelledCall_;
    BackgroundRun run_;
};

}  // namespace zendro
