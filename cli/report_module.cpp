// The job report's PDF for zendro-convert, in the sketch module (see report_module.h).

#include "cli/report_module.h"

#include <QGuiApplication>
#include <exception>
#include <iostream>
#include <type_traits>

namespace {

// The command line has no display: the offscreen platform serves, and only for
// as long as the drawing takes.
std::string drawReport(const zendro::review::JobReportInput& input) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt's notes about the missing desktop session mean nothing to this user.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtCriticalMsg || type == QtFatalMsg) std::cerr << message.toStdString() << '\n';
    });
    int argc = 1;
    char name[] = "zendro-convert";
    char* argv[] = {name, nullptr};
    const QGuiApplication application(argc, argv);
    return zendro::review::jobReportPdf(input);
}

}  // namespace

extern "C" __attribute__((visibility("default"))) void zendroJobReportPdf(
    const zendro::review::JobReportInput& input, std::string& pdf, std::string& error) {
    static_assert(std::is_same_v<decltype(&zendroJobReportPdf), zendro::cli::JobReportPdfEntry>);
    try {
        pdf = drawReport(input);
        if (pdf.empty()) error = "the report could not be drawn";
    } catch (const std::exception& failure) {
        error = failure.what();
    }
}
