#include "shell/background_run.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMetaObject>
#include <algorithm>

#include "shell/text_codec.h"

namespace zendro {

// Lives on the worker thread for one work.
class BackgroundRun::ThreadObserver final : public RunObserver {
  public:
    explicit ThreadObserver(BackgroundRun& run) : run_(run) {}

    void status(std::string_view text) override {
        post([run = &run_, shown = fromMessage(text)] { run->onStatus_(shown); });
    }
    void progress(double percent) override {
        const int value = static_cast<int>(std::clamp(percent, 0.0, 100.0));
        // A queued call per record would flood the window's queue.
        if (value == lastPercent_) return;
        lastPercent_ = value;
        post([run = &run_, value] { run->onProgress_(value); });
    }
    void warning(std::string_view message) override {
        run_.outcome_.warnings.append(fromMessage(message));
    }
    bool cancelRequested() const override { return run_.cancel_.load(); }

  private:
    template <typename Call>
    void post(Call call) {
        QMetaObject::invokeMethod(&run_.receiver_, std::move(call), Qt::QueuedConnection);
    }

    BackgroundRun& run_;
    int lastPercent_ = -1;
};

BackgroundRun::BackgroundRun(std::function<void(const QString&)> onStatus,
                             std::function<void(int)> onProgress)
    : onStatus_(std::move(onStatus)), onProgress_(std::move(onProgress)) {}

BackgroundRun::~BackgroundRun() {
    if (!worker_.joinable()) return;
    cancel_.store(true);
    worker_.join();
}

bool BackgroundRun::start(Work work, Done done) {
    if (running()) return false;
    cancel_.store(false);
    outcome_ = {};
    done_ = std::move(done);
    worker_ = std::thread([this, work = std::move(work)] {
        ThreadObserver observer(*this);
        try {
            work(observer);
        } catch (...) {
            outcome_.failure = std::current_exception();
        }
        QMetaObject::invokeMethod(&receiver_, [this] { finish(); }, Qt::QueuedConnection);
    });
    return true;
}

void BackgroundRun::finishNow() { finish(); }

void BackgroundRun::finish() {
    // The queued call after finishNow finds the work already finished.
    if (!worker_.joinable()) return;
    worker_.join();
    // After finishNow, the status and progress still queued would show a run
    // that is over.
    QCoreApplication::removePostedEvents(&receiver_, QEvent::MetaCall);
    Done done = std::move(done_);
    done_ = nullptr;
    if (done) done(std::move(outcome_));
}

}  // namespace zendro
