// The module that draws the sketch for zendro-convert (see sketch_module.h).

#include "cli/sketch_module.h"

#include <QGuiApplication>
#include <exception>
#include <iostream>
#include <type_traits>

#include "common/errors.h"
#include "review_view/sketch_export.h"

namespace {

// The command line has no display: the offscreen platform serves, and only for
// as long as the drawing takes.
void writeSketch(const zendro::review::SketchModel& model, const std::string& path,
                 const zendro::cli::SketchSheet& sheet) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt's notes about the missing desktop session mean nothing to this user.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtCriticalMsg || type == QtFatalMsg) std::cerr << message.toStdString() << '\n';
    });
    int argc = 1;
    char name[] = "zendro-convert";
    char* argv[] = {name, nullptr};
    const QGuiApplication application(argc, argv);
    zendro::review::SketchExportOptions options;
    options.paper = zendro::review::sheetPaperNamed(sheet.paper).value_or(options.paper);
    if (sheet.scaleDenominator > 0) options.scaleDenominator = sheet.scaleDenominator;
    zendro::review::exportSketch(model, path, options);
}

}  // namespace

extern "C" __attribute__((visibility("default"))) void zendroWriteSketch(
    const zendro::review::SketchModel& model, const std::string& path,
    const zendro::cli::SketchSheet& sheet, std::string& error) {
    static_assert(std::is_same_v<decltype(&zendroWriteSketch), zendro::cli::WriteSketchEntry>);
    try {
        writeSketch(model, path, sheet);
    } catch (const std::exception& failure) {
        error = zendro::failureMessage(path, failure);
    }
}
