// zendro-review-screenshot: the window offscreen on a copy of the sample job,
// converted, with the "Review" tab shown; saved as a PNG for the README.
//
//   zendro-review-screenshot SAMPLES_FOLDER OUT.png

#include <QApplication>
#include <QFile>
#include <QTabBar>
#include <QTemporaryDir>
#include <cstdio>

#include "shell/main_window.h"
#include "shell/shell_dialogs.h"

namespace {

// No user: no file is chosen and messages are printed, since the conversion's
// notice is the only one expected.
class UnattendedDialogs final : public zendro::ShellDialogs {
  public:
    QString chooseFieldFile(QWidget*, const QStringList&, const QString&, const QString&) override {
        return {};
    }
    void showMessage(QWidget*, const QString& text) override {
        std::fprintf(stderr, "zendro-review-screenshot: the window says: %s\n", qPrintable(text));
    }
};

int fail(const char* message) {
    std::fprintf(stderr, "zendro-review-screenshot: %s\n", message);
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() != 3)
        return fail("usage: zendro-review-screenshot SAMPLES_FOLDER OUT.png");

    QTemporaryDir installation;
    QTemporaryDir jobs;
    if (!installation.isValid() || !jobs.isValid()) return fail("cannot make a temporary folder");
    qputenv(zendro::kInstallVariable, QFile::encodeName(installation.path()));
    for (const char* name : {"HWY12-3.HVD", "HWY12-3.CTX", "HWY12-3.RTX"}) {
        if (!QFile::copy(arguments[1] + QLatin1Char('/') + QLatin1String(name),
                         jobs.filePath(QLatin1String(name)))) {
            return fail("cannot copy the sample job");
        }
    }

    UnattendedDialogs dialogs;
    zendro::Form1 window(dialogs);
    window.show();
    if (!window.selectJob(jobs.filePath(QStringLiteral("HWY12-3.HVD")))) {
        return fail("cannot select the sample job");
    }
    window.Convert_Click();
    window.findChild<QTabBar*>(QStringLiteral("TabStrip1"))->setCurrentIndex(3);
    QApplication::processEvents();
    if (!window.grab().save(arguments[2], "PNG")) return fail("cannot write the picture");
    return 0;
}
