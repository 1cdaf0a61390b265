// zendro-screenshot: opens the window offscreen on the bundled sample job and
// saves it as a PNG, for the AppStream metadata and the README.
//
//   zendro-screenshot OUT.png [TAB [WIDTHxHEIGHT [adjusted | levels:RUN.DAT,CONTROL]]]
//
// TAB is the tab to show, 1 to the number of tabs from the left (default 1);
// WIDTHxHEIGHT the window's size (default: its design size); "adjusted", on
// the Review page, adjusts the job and shows the Adjustment tab; "levels:",
// on the Levels page, opens the M5 file with its control file and shows the
// line of the first finding over a limit.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPixmap>
#include <QPushButton>
#include <QSize>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <cstdio>
#include <optional>

#include "shell/bundled_files.h"
#include "shell/kermit_download.h"
#include "shell/levels/levels_page.h"
#include "shell/main_window.h"
#include "shell/shell_dialogs.h"
#include "shell/text_codec.h"

namespace {

constexpr const char* kSampleJob = "HWY12-3";

// The window's dialogs answered without a user: no file is chosen, and every
// message is printed, since an unexpected one means the picture is wrong.
class UnattendedDialogs final : public zendro::ShellDialogs {
  public:
    QString chooseFieldFile(QWidget*, const QStringList&, const QString&, const QString&) override {
        return {};
    }
    void showMessage(QWidget*, const QString& text, zendro::MessageKind) override {
        std::fprintf(stderr, "zendro-screenshot: the window says: %s\n", qPrintable(text));
        ++messages;
    }
    bool confirm(QWidget* parent, const QString& question) override {
        showMessage(parent, question, zendro::MessageKind::Warning);
        return false;
    }
    zendro::UnsavedEditsChoice askAboutUnsavedEdits(QWidget* parent, const QString& text) override {
        showMessage(parent, text, zendro::MessageKind::Warning);
        return zendro::UnsavedEditsChoice::Discard;
    }
    zendro::StalePointFeaturesChoice askAboutStalePointFeatures(QWidget* parent,
                                                                const QString& text) override {
        showMessage(parent, text, zendro::MessageKind::Warning);
        return zendro::StalePointFeaturesChoice::Cancel;
    }
    bool confirmReplace(QWidget* parent, const QString& question) override {
        return confirm(parent, question);
    }
    int messages = 0;
};

int fail(const QString& message) {
    std::fprintf(stderr, "zendro-screenshot: %s\n", qPrintable(message));
    return 1;
}

// A private copy of the sample job, so the window may write beside it.
std::optional<QString> copySampleJob(const QString& into) {
    const std::string samples =
        zendro::findBundledFolder(QApplication::applicationDirPath(), QStringLiteral("samples"),
                                  QString::fromLatin1(kSampleJob) + QStringLiteral(".HVD"));
    if (samples.empty()) return std::nullopt;
    for (const char* extension : {".HVD", ".CTX", ".RTX"}) {
        const QString name = QString::fromLatin1(kSampleJob) + QString::fromLatin1(extension);
        if (!QFile::copy(zendro::fromPath(samples) + name, into + QLatin1Char('/') + name)) {
            return std::nullopt;
        }
    }
    return into + QLatin1Char('/') + QString::fromLatin1(kSampleJob) + QStringLiteral(".HVD");
}

// The Levels page's line of the run's first finding over a limit chosen, so
// its profile shows the failing setup. False when the page shows no such line.
bool showFirstFailingLine(zendro::LevelsPage& page) {
    const zendro::levels::LevelRunResult* run = page.result();
    auto* lines = page.findChild<QTableWidget*>(QStringLiteral("LevelsLines"));
    if (run == nullptr || lines == nullptr) return false;
    for (const zendro::levels::LevelFinding& finding : run->findings) {
        if (!finding.over || finding.line == 0) continue;
        for (int row = 0; row < lines->rowCount(); ++row) {
            if (lines->item(row, 0)->text() == QString::number(finding.line)) {
                lines->setCurrentCell(row, 0);
                return true;
            }
        }
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    // Always offscreen: the picture must not depend on the desktop it runs on.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    const QStringList arguments = QApplication::arguments();
    if (arguments.size() < 2 || arguments.size() > 5) {
        return fail(
            QStringLiteral("usage: zendro-screenshot OUT.png [TAB [WIDTHxHEIGHT "
                           "[adjusted | levels:RUN.DAT,CONTROL]]]"));
    }
    const QString output = arguments[1];
    bool tabIsNumber = true;
    const int tab = arguments.size() >= 3 ? arguments[2].toInt(&tabIsNumber) : 1;
    std::optional<QSize> size;
    const QString mode = arguments.size() == 5 ? arguments[4] : QString();
    const bool adjusted = mode == QStringLiteral("adjusted");
    const QStringList levelFiles = mode.startsWith(QStringLiteral("levels:"))
                                       ? mode.mid(7).split(QLatin1Char(','))
                                       : QStringList();
    if (!mode.isEmpty() && !adjusted && levelFiles.size() != 2) {
        return fail(QStringLiteral(
            "the fourth argument can only be \"adjusted\" or \"levels:RUN.DAT,CONTROL\""));
    }
    if (arguments.size() >= 4) {
        const QStringList sides = arguments[3].split(QLatin1Char('x'));
        bool wide = false;
        bool high = false;
        if (sides.size() == 2) size = QSize(sides[0].toInt(&wide), sides[1].toInt(&high));
        if (!wide || !high)
            return fail(QStringLiteral("the size must be WIDTHxHEIGHT, as 1600x1000"));
    }

    QTemporaryDir installation;
    QTemporaryDir jobs;
    if (!installation.isValid() || !jobs.isValid()) {
        return fail(QStringLiteral("cannot make a temporary folder"));
    }
    qputenv(zendro::kInstallVariable, QFile::encodeName(installation.path()));
    const std::optional<QString> job = copySampleJob(jobs.path());
    if (!job) return fail(QStringLiteral("cannot copy the bundled sample job"));

    UnattendedDialogs dialogs;
    zendro::ShellOptions options;
    options.shippedKermitFolder =
        zendro::findShippedKermitFolder(QApplication::applicationDirPath());
    zendro::Form1 window(dialogs, options);
    if (size) window.resize(*size);
    window.show();
    if (!window.selectJob(*job)) return fail(QStringLiteral("cannot select ") + *job);

    auto* tabs = window.findChild<QTabBar*>(QStringLiteral("TabStrip1"));
    if (tabs == nullptr) return fail(QStringLiteral("the window has no tab strip"));
    if (!tabIsNumber || tab < 1 || tab > tabs->count()) {
        return fail(QStringLiteral("TAB must be 1 to %1").arg(tabs->count()));
    }
    tabs->setCurrentIndex(tab - 1);
    QApplication::processEvents();
    // The pages read the job off the window's thread: the picture waits for them.
    const auto settle = [&window] {
        while (window.pageLoading() || window.reviewBusy()) {
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        }
        QApplication::processEvents();
    };
    settle();
    if (adjusted) {
        auto* reviewTabs = window.findChild<QTabWidget*>(QStringLiteral("ReviewTabs"));
        auto* adjust = window.findChild<QPushButton*>(QStringLiteral("ReviewAdjust"));
        if (reviewTabs == nullptr || adjust == nullptr ||
            !window.findChild<QWidget*>(QStringLiteral("ReviewPage"))->isVisible()) {
            return fail(QStringLiteral("\"adjusted\" needs the Review page (TAB 4)"));
        }
        reviewTabs->setCurrentWidget(window.findChild<QWidget*>(QStringLiteral("AdjustmentTab")));
        adjust->click();
        settle();
    }
    if (!levelFiles.isEmpty()) {
        auto* levels = window.findChild<zendro::LevelsPage*>(QStringLiteral("LevelsPage"));
        if (levels == nullptr || !levels->isVisible()) {
            return fail(QStringLiteral("\"levels:\" needs the Levels page (TAB 5)"));
        }
        levels->setControlPath(levelFiles[1]);
        levels->setFiles({levelFiles[0]});
        while (levels->busy()) QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        if (!showFirstFailingLine(*levels)) {
            return fail(levelFiles[0] + QStringLiteral(": no line with a finding over a limit"));
        }
        QApplication::processEvents();
    }
    if (dialogs.messages > 0) return fail(QStringLiteral("the window showed a message"));

    if (!window.grab().save(output, "PNG")) return fail(QStringLiteral("cannot write ") + output);
    return 0;
}
