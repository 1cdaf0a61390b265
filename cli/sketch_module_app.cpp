#include "cli/sketch_module_app.h"

#include <QGuiApplication>
#include <iostream>

namespace zendro::cli {
SketchModuleApp::SketchModuleApp() {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtCriticalMsg || type == QtFatalMsg) std::cerr << message.toStdString() << '\n';
    });
    application_ = std::make_unique<QGuiApplication>(argumentCount_, arguments_);
}

SketchModuleApp::~SketchModuleApp() = default;

}  // namespace zendro::cli
