#pragma once

#include <string_view>

namespace zendro {

// How the core tells its front end what it is doing. The window shows the status
// text and the progress bar, the command-line tool prints warnings, tests record.
class RunObserver {
  public:
    virtual ~RunObserver() = default;
    // One of the pass names ("Reading Point Names", ...) or empty.
    virtual void status(std::string_view text) = 0;
    // 0 to 100, a real number.
    virtual void progress(double percent) = 0;
    // Something the user should know that did not stop the run.
    virtual void warning(std::string_view message) = 0;
    // Polled between records: true stops the run, which then writes nothing.
    virtual bool cancelRequested() const { return false; }
};

class NullObserver final : public RunObserver {
  public:
    void status(std::string_view) override {}
    void progress(double) override {}
    void warning(std::string_view) override {}
};

}  // namespace zendro
