#include "shell/page_load.h"

#include <QApplication>
#include <QPushButton>
#include <QShortcut>
#include <QWidget>

#include "common/errors.h"
#include "shell/window_status.h"

namespace zendro {

PageLoad::PageLoad(QWidget& window, WindowStatus& status)
    : QObject(&window),
      status_(status),
      escape_(new QShortcut(QKeySequence(Qt::Key_Escape), &window)),
      run_([this](const QString& pass) { status_.showPass(pass); },
           [this](int percent) { status_.showPassProgress(percent); }) {
    escape_->setEnabled(false);
    connect(escape_, &QShortcut::activated, this, &PageLoad::cancel);
    connect(&status_.cancelPassButton(), &QPushButton::clicked, this, &PageLoad::cancel);
}

PageLoad::~PageLoad() {
    // The window's widgets may be gone by now: only the cursor is put back;
    // the run stops and is waited for, calling nothing.
    if (running()) QApplication::restoreOverrideCursor();
}

void PageLoad::start(QWidget& page, BackgroundRun::Work work,
                     std::function<void(BackgroundOutcome)> shown,
                     std::function<void()> cancelled) {
    if (running()) return;
    page_ = &page;
    cancelled_ = false;
    quiet_ = false;
    shown_ = std::move(shown);
    cancelledCall_ = std::move(cancelled);
    page.setEnabled(false);
    QApplication::setOverrideCursor(Qt::BusyCursor);
    status_.showPass({});
    escape_->setEnabled(true);
    run_.start(std::move(work), [this](BackgroundOutcome outcome) { ended(std::move(outcome)); });
    emit runningChanged(true);
}

void PageLoad::cancel() {
    if (!running()) return;
    cancelled_ = true;
    run_.requestCancel();
}

void PageLoad::cancelAndWait() {
    if (!running()) return;
    quiet_ = true;
    cancel();
    run_.finishNow();
}

void PageLoad::settle() {
    escape_->setEnabled(false);
    status_.endPass();
    QApplication::restoreOverrideCursor();
    if (page_ != nullptr) page_->setEnabled(true);
    page_ = nullptr;
    emit runningChanged(false);
}

void PageLoad::ended(BackgroundOutcome outcome) {
    settle();
    const auto shown = std::move(shown_);
    const auto cancelled = std::move(cancelledCall_);
    shown_ = nullptr;
    cancelledCall_ = nullptr;
    if (quiet_) return;
    // A cancel the work did not see in time still keeps its result from the page.
    bool stopped = cancelled_;
    if (outcome.failure) {
        try {
            std::rethrow_exception(outcome.failure);
        } catch (const RunCancelled&) {
            stopped = true;
        } catch (...) {
        }
    }
    if (stopped) {
        if (cancelled) cancelled();
    } else if (shown) {
        shown(std::move(outcome));
    }
}

}  // namespace zendro
