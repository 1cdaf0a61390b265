#pragma once

#include <memory>

class QGuiApplication;

namespace zendro::cli {

// The Qt application the sketch module draws in, for as long as one drawing
// takes. The command line has no display: the offscreen platform serves, and
// Qt's notes about the missing desktop session are kept from the user (only
// its errors reach standard error).
class SketchModuleApp {
  public:
    SketchModuleApp();
    ~SketchModuleApp();
    SketchModuleApp(const SketchModuleApp&) = delete;
    SketchModuleApp& operator=(const SketchModuleApp&) = delete;

  private:
    // QGuiApplication keeps a reference to its arguments for its whole life.
    int argumentCount_ = 1;
    char programName_[15] = "zendro-convert";
    char* arguments_[2] = {programName_, nullptr};
    std::unique_ptr<QGuiApplication> application_;
};

}  // namespace zendro::cli
