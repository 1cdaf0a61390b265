#pragma once

#include <cstddef>

#include "common/run_observer.h"

namespace zendro {

// Passes everything on to the front end's observer, counting the warnings.
class CountingObserver final : public RunObserver {
  public:
    explicit CountingObserver(RunObserver& inner) : inner_(inner) {}
    void status(std::string_view text) override { inner_.status(text); }
    void progress(double percent) override { inner_.progress(percent); }
    void warning(std::string_view message) override {
        ++warnings_;
        inner_.warning(message);
    }
    bool cancelRequested() const override { return inner_.cancelRequested(); }
    std::size_t warnings() const { return warnings_; }

  private:
    RunObserver& inner_;
    std::size_t warnings_ = 0;
};

}  // namespace zendro
