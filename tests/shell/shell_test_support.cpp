#include "tests/shell/shell_test_support.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QTabBar>

#include "tests/support/job_builder.h"

namespace zendro::testing {

Installation::Installation(bool setVariable)
    : savedVariable_(qgetenv(kInstallVariable)),
      hadVariable_(qEnvironmentVariableIsSet(kInstallVariable)) {
    if (setVariable) {
        qputenv(kInstallVariable, QByteArray::fromStdString(folder_.path()));
    } else {
        qunsetenv(kInstallVariable);
    }
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(config_.path()));
}

Installation::~Installation() {
    if (hadVariable_) {
        qputenv(kInstallVariable, savedVariable_);
    } else {
        qunsetenv(kInstallVariable);
    }
}

std::unique_ptr<Form1> openWindow(FakeDialogs& dialogs, ShellOptions options) {
    auto window = std::make_unique<Form1>(dialogs, std::move(options));
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get())) qWarning("the window was not exposed");
    return window;
}

void clickButton(QWidget& window, const char* name) {
    auto* button = control<QAbstractButton>(window, name);
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, button->rect().center());
}

bool clickConvertAndWait(Form1& window) {
    clickButton(window, "Convert");
    return QTest::qWaitFor([&window] { return !window.conversionRunning(); }, 60000);
}

void clickTabNoWait(QWidget& window, int tab) {
    auto* tabs = control<QTabBar>(window, "TabStrip1");
    QTest::mouseClick(tabs, Qt::LeftButton, Qt::NoModifier, tabs->tabRect(tab - 1).center());
}

void clickTab(QWidget& window, int tab) {
    clickTabNoWait(window, tab);
    if (auto* form = qobject_cast<Form1*>(&window)) {
        if (!QTest::qWaitFor([form] { return !form->pageLoading(); }, 60000)) {
            qWarning("the page did not load in time");
        }
    }
}

void chooseJob(QWidget& window, FakeDialogs& dialogs, const std::string& fieldFile) {
    dialogs.choices.push_back(QString::fromStdString(fieldFile));
    clickButton(window, "GetFile");
}

void writeSampleJob(const std::string& folder, const std::string& name) {
    const std::string base = folder + name;
    writeFile(base + ".HVD",
              hvdRecord(9, 0) + hvdRecord(1, 12, 152) + hvdRecord(3, 11, 150, 0, 8959500, 1234567) +
                  hvdRecord(4, 13, 155, 12345300, 9000100, 2501234) + hvdRecord(6, 0) +
                  hvdRecord(5, 501, 180, 20010050, 9102030, 456789) +
                  hvdRecord(5, 502, 0, 27000000, 9000000, 125000) +
                  hvdRecord(5, 503, 120, 3010000, 8930000, 334455) + hvdRecord(1, 13, 149) +
                  hvdRecord(3, 12, 152, 0, 9000000, 2501200) +
                  hvdRecord(4, 14, 150, 18000000, 9001000, 1999999));
    writeFile(base + ".CTX", ctxPrologue() + ctxRecord(1, 11, "CP") + ctxRecord(1, 12, "CP") +
                                 ctxRecord(1, 13, "CP,IRON PIN") +
                                 ctxRecord(1, 501, "+EP,LEFT EDGE") + ctxRecord(1, 502, "EP*") +
                                 ctxRecord(1, 503, "-EP~TAPE") + ctxRecord(1, 14, "CP"));
    writeFile(base + ".RTX", rtxPrologue() + rtxNote(1, "FIRST NOTE") +
                                 rtxNote(2, "A SECOND, LONGER NOTE OVER TWO RECORDS"));
}

int runCommandLineConverter(const QStringList& arguments, QString* out) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("SOURCE_DATE_EPOCH"), QString::fromLatin1(kSourceDateEpoch));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(ZENDRO_CONVERT_PATH), arguments);
    if (!process.waitForFinished(60000)) return -1;
    if (process.exitStatus() != QProcess::NormalExit) return -1;
    if (out != nullptr) *out = QString::fromLocal8Bit(process.readAllStandardOutput());
    return process.exitCode();
}

}  // namespace zendro::testing
