// Start-up and exit, the settings file, the controls as the window shows them,
// and the help list.

#include <QCheckBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTableWidget>
#include <filesystem>

#include "settings/settings_file.h"
#include "shell/help_text.h"
#include "shell/twips_layout.h"
#include "tests/shell/shell_test_support.h"

namespace zendro::testing {

class StartupTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QCoreApplication::setApplicationName(QStringLiteral("zendro")); }

    void readsTheSettingsFileOfTheInstallationFolder() {
        Installation installation;
        writeFile(installation.settingsPath(),
                  crlfLines({"/jobs/bridge/", "/opt/kermit/", "my.krm"}));
        FakeDialogs dialogs;
        auto window = openWindow(dialogs);

        QVERIFY(dialogs.messages.isEmpty());
        QCOMPARE(control<QLineEdit>(*window, "file1")->text(), QStringLiteral("/jobs/bridge/"));
        QCOMPARE(window->session().installFolder, installation.folder());
        QCOMPARE(window->session().kermitFolder, std::string("/opt/kermit/"));
        QCOMPARE(window->session().kermitSettingsName, std::string("my.krm"));
        QVERIFY(!window->session().jobSelected());
        QVERIFY(control<QGroupBox>(*window, "Frame2")->isVisible());
        QVERIFY(!control<QGroupBox>(*window, "Frame3")->isVisible());
        QVERIFY(!control<QGroupBox>(*window, "Frame4")->isVisible());
        QCOMPARE(control<QTabBar>(*window, "TabStrip1")->currentIndex(), 0);
    }

    void variableWithOrWithoutTrailingSeparatorNamesTheSameFile() {
        Installation installation;
        writeFile(installation.settingsPath(), crlfLines({"/jobs/", "", "server.krm"}));
        std::string folder = installation.folder();
        folder.pop_back();
        qputenv(kInstallVariable, QByteArray::fromStdString(folder));
        FakeDialogs dialogs;
        auto window = openWindow(dialogs);
        QCOMPARE(window->session().installFolder, installation.folder());
        QCOMPARE(control<QLineEdit>(*window, "file1")->text(), QStringLiteral("/jobs/"));
    }

    void freshInstallationStartsEmptyAndWritesTheFileAtExit() {
        Installation installation;
        FakeDialogs dialogs;
        auto window = openWindow(dialogs);
        QVERIFY(dialogs.messages.isEmpty());
        QCOMPARE(control<QLineEdit>(*window, "file1")->text(), QString());
        QCOMPARE(window->session().kermitFolder, std::string());
        QCOMPARE(window->session().kermitSettingsName, std::string("server.krm"));
        QVERIFY(window->close());
        QCOMPARE(readFile(installation.settingsPath()), crlfLines({"", "", "server.krm"}));
    }

    void missingVariableIsReportedAndTheConfigurationFolderIsUsed() {
        Installation installation(false);
        FakeDialogs dialogs;
        auto window = openWindow(dialogs);
        QCOMPARE(dialogs.messages,
                 QStringList{QStringLiteral("The ZENDRO environment variable is not set.  The "
                                            "variable should be ORNA_ZENDRO_DIR={install path}")});
        QCOMPARE(dialogs.kinds, std::vector<MessageKind>{MessageKind::Warning});
        QCOMPARE(window->session().installFolder, installation.configFolder());
        QVERIFY(window->close());
        QCOMPARE(readFile(installation.configFolder() + "zendro.ini"),
                 crlfLines({"", "", "server.krm"}));

        // The next start finds it there.
        FakeDialogs again;
        auto second = openWindow(again);
        QCOMPARE(again.messages.size(), 1);
        QCOMPARE(second->session().kermitSettingsName, std::string("server.krm"));
    }

    void settingsWithACommaComeBackUnchanged() {
        Installation installation;
        TempDir jobs;
        const std::string folder = jobs.path() + "north, east \"B\"/";
        QVERIFY(QDir().mkpath(QString::fromStdString(folder)));
        writeFile(installation.settingsPath(),
                  crlfLines({"", "\"/opt/ker,mit/\"", "settings, \"fast\".krm"}));
        {
            FakeDialogs dialogs;
            auto window = openWindow(dialogs);
            QCOMPARE(window->session().kermitFolder, std::string("/opt/ker,mit/"));
            // An unquoted comma ends a value written by hand.
            QCOMPARE(window->session().kermitSettingsName, std::string("settings"));
            dialogs.choices.push_back(QString::fromStdString(folder + "RUN-3.HVD"));
            clickButton(*window, "GetFile");
            QVERIFY(window->close());
        }
        // The Kermit lines stay as written by hand, the part after the comma too.
        QCOMPARE(readFile(installation.settingsPath()),
                 "\"" + jobs.path() +
                     "north, east \"\"B\"\"/\"\r\n\"/opt/ker,mit/\"\r\nsettings, \"fast\".krm\r\n");
        FakeDialogs dialogs;
        auto window = openWindow(dialogs);
        QCOMPARE(control<QLineEdit>(*window, "file1")->text(), QString::fromStdString(folder));
        QCOMPARE(window->session().kermitFolder, std::string("/opt/ker,mit/"));
        QCOMPARE(window->session().kermitSettingsName, std::string("settings"));
    }

    void keptKermitLinesSurviveTheExit() {
        Installation installation;
        writeFile(installation.settingsPath(),
                  crlfLines({"/jobs/", "  \"/opt/kermit/\"", "server.krm"}));
        FakeDialogs dialogs;
        auto window = openWindow(dialogs);
        QCOMPARE(window->session().kermitFolder, std::string("/opt/kermit/"));
        QVERIFY(window->close());
        // No selection: the folder it started with stays; the Kermit lines stay as written.
        QCOMPARE(readFile(installation.settingsPath()),
                 crlfLines({"/jobs/", "  \"/opt/kermit/\"", "server.krm"}));
    }

    void settingsFileReading() {
        const auto read = [](std::string_view bytes) { return parseSettings(bytes).settings; };
        QCOMPARE(read(""), (Settings{"", "", "server.krm"}));
        QCOMPARE(read("a\r\n"), (Settings{"a", "", "server.krm"}));
        QCOMPARE(read("a\nb\rc"), (Settings{"a", "b", "c"}));
        QCOMPARE(read("\r\n\r\nx.krm\r\n"), (Settings{"", "", "x.krm"}));
        // An unquoted comma ends a value, so the later values move up.
        QCOMPARE(read("a,b\r\nc\r\nd\r\n"), (Settings{"a", "b", "c"}));
        // Blanks at the end are dropped; a quote never closed quotes the rest of its line.
        QCOMPARE(read("/a/ \r\n\"k \r\nn \t"), (Settings{"/a/", "k", "n"}));
        QCOMPARE(read("\"a,b\" tail\r\n\"x\"\"y\"\r\nz\r\n"), (Settings{"a,b", "x\"y", "z"}));
        QVERIFY(parseSettings("\"a,b\" tail\r\n\"x\"\"y\"\r\nz\r\n").problems.empty());
        QCOMPARE(composeSettings({"/a/", " b", "c\"d"}),
                 std::string("/a/\r\n\" b\"\r\n\"c\"\"d\"\r\n"));
        const Settings odd{"/x,\ny/ ", "\"", "k.krm"};
        QCOMPARE(read(composeSettings(odd)), odd);
    }

    // Each row: the file at start-up, what the user is then told, the file as
    // edited while the window is open ("-": deleted), and the file at exit.
    // The exit writes the first line only; the lines after it stay as they are
    // then, and values the file lacks are added.
    void settingsFileFromStartToExit_data() {
        QTest::addColumn<QByteArray>("atStart");
        QTest::addColumn<QString>("told");
        QTest::addColumn<QByteArray>("whileOpen");
        QTest::addColumn<QByteArray>("atExit");
        const QByteArray plain("/old/\r\n/opt/k/\r\nmy.krm\r\n");
        QTest::newRow("edited while open")
            << plain << "" << QByteArray("/x/\r\n\"/opt/new kermit/\"  \r\nnew.krm \r\n")
            << QByteArray("{job}\r\n\"/opt/new kermit/\"  \r\nnew.krm \r\n");
        QTest::newRow("deleted while open")
            << plain << "" << QByteArray("-") << QByteArray("{job}\r\n/opt/k/\r\nmy.krm\r\n");
        QTest::newRow("blanks, unclosed quote")
            << QByteArray("/old/ \t\r\n\"/opt/k/ \r\nmy.krm  \n# notes")
            << "value 1 ends in blanks, which are ignored; value 2 has no closing double quote; "
               "value 3 ends in blanks, which are ignored"
            << QByteArray() << QByteArray("{job}\r\n\"/opt/k/ \r\nmy.krm  \n# notes\r\n");
        QTest::newRow("two values")
            << QByteArray("\"/a\r\nb/\"\n/opt/k/")
            << "it holds 2 of its 3 values (last folder, Kermit folder, Kermit settings name); "
               "the Kermit settings name is missing; server.krm is used"
            << QByteArray() << QByteArray("{job}\r\n/opt/k/\r\nserver.krm\r\n");
        QTest::newRow("empty name") << QByteArray("/old/\r\n/opt/k/\r\n\r\n")
                                    << "the Kermit settings name is missing; server.krm is used"
                                    << QByteArray() << QByteArray("{job}\r\n/opt/k/\r\n\r\n");
    }

    void settingsFileFromStartToExit() {
        QFETCH(QByteArray, atStart);
        QFETCH(QString, told);
        QFETCH(QByteArray, whileOpen);
        QFETCH(QByteArray, atExit);
        Installation installation;
        TempDir jobs;
        writeFile(installation.settingsPath(), atStart.toStdString());
        FakeDialogs dialogs;
        auto window = openWindow(dialogs);
        const QString path = QString::fromStdString(installation.settingsPath());
        QCOMPARE(dialogs.messages,
                 told.isEmpty() ? QStringList() : QStringList{path + ": " + told});
        chooseJob(*window, dialogs, jobs.file("RUN.HVD"));
        if (whileOpen == "-") {
            std::filesystem::remove(installation.settingsPath());
        } else if (!whileOpen.isEmpty()) {
            writeFile(installation.settingsPath(), whileOpen.toStdString());
        }
        QVERIFY(window->close());
        QCOMPARE(readFile(installation.settingsPath()),
                 atExit.replace("{job}", QByteArray::fromStdString(jobs.path())).toStdString());
    }

    void unusableInstallationFolderIsToldAtStartUp_data() {
        QTest::addColumn<bool>("isFile");
        QTest::addColumn<QString>("cause");
        QTest::newRow("missing") << false << "does not exist";
        QTest::newRow("a file") << true << "is a file, not a folder";
    }

    void unusableInstallationFolderIsToldAtStartUp() {
        QFETCH(bool, isFile);
        QFETCH(QString, cause);
        Installation installation;
        const std::string named = installation.folder() + "zendro-install";
        if (isFile) writeFile(named, "not a folder");
        qputenv(kInstallVariable, QByteArray::fromStdString(named));
        FakeDialogs dialogs;
        auto window = openWindow(dialogs);
        QCOMPARE(dialogs.messages,
                 QStringList{QString::fromStdString("ORNA_ZENDRO_DIR names " + named + ", which ") +
                             cause +
                             QString::fromStdString(". The settings are kept in " +
                                                    installation.configFolder() + " instead.")});
        QCOMPARE(window->session().installFolder, installation.configFolder());
        QVERIFY(window->close());
        QCOMPARE(readFile(installation.configFolder() + "zendro.ini"),
                 crlfLines({"", "", "server.krm"}));
    }

    void controlsShowTheirCaptionsAndTexts() {
        Installation installation;
        FakeDialogs dialogs;
        auto window = openWindow(dialogs);
        QCOMPARE(window->objectName(), QStringLiteral("Form1"));
        QCOMPARE(window->windowTitle(), QStringLiteral("ZUZ Conversion - 4.2.6"));
        auto* tabs = control<QTabBar>(*window, "TabStrip1");
        QCOMPARE(tabs->count(), 5);
        QCOMPARE(tabs->tabText(0), QStringLiteral("Download && Conversion"));
        QCOMPARE(tabs->tabText(1), QStringLiteral("Edit Features"));
        QCOMPARE(tabs->tabText(2), QStringLiteral("Help"));
        QCOMPARE(tabs->tabText(3), QStringLiteral("Review"));
        QCOMPARE(tabs->tabText(4), QStringLiteral("Levels"));
        // Every tab whole: none behind scroll buttons.
        QVERIFY(tabs->tabRect(4).right() < tabs->width());

        QVERIFY(control<QCheckBox>(*window, "OptionOBS")->isChecked());
        QCOMPARE(control<QCheckBox>(*window, "OptionOBS")->text(), QStringLiteral("OBS Only"));
        auto* english = control<QRadioButton>(*window, "EM1");
        QVERIFY(english->isChecked());
        QCOMPARE(english->text(), QStringLiteral("&English"));
        QCOMPARE(english->toolTip(), QStringLiteral("Check if Downloading English Units File"));
        auto* metric = control<QRadioButton>(*window, "EM2");
        QCOMPARE(metric->text(), QStringLiteral("&Metric"));
        QCOMPARE(metric->toolTip(), QStringLiteral("Check if downloading metric units file"));
        QCOMPARE(control<QPushButton>(*window, "GetFile")->text(), QStringLiteral("Filename"));
        QCOMPARE(control<QPushButton>(*window, "GetFile")->toolTip(),
                 QStringLiteral("Press to Enter Filename"));
        auto* convert = control<QPushButton>(*window, "Convert");
        QCOMPARE(convert->text(), QStringLiteral("&Convert"));
        QVERIFY(convert->font().bold());
        QCOMPARE(convert->toolTip(),
                 QStringLiteral("Convert Downloaded File From SA to TRV Format"));
        QCOMPARE(control<QPushButton>(*window, "DownLoad")->text(), QStringLiteral("Download"));
        QCOMPARE(control<QPushButton>(*window, "DownLoad")->toolTip(),
                 QStringLiteral("Press to initiate download of data collector"));
        QCOMPARE(control<QLineEdit>(*window, "Prefix1")->text(), QStringLiteral("S"));
        QCOMPARE(control<QLineEdit>(*window, "Curvecode1")->text(), QStringLiteral("*"));
        QCOMPARE(control<QLineEdit>(*window, "CommentCode1")->text(), QStringLiteral(","));
        QCOMPARE(control<QLineEdit>(*window, "Suffix1")->text(), QStringLiteral("-99"));
        auto* bar = control<QProgressBar>(*window, "ProgressBar");
        QCOMPARE(bar->minimum(), 0);
        QCOMPARE(bar->maximum(), 100);
        QCOMPARE(bar->value(), 0);
        QCOMPARE(control<QLabel>(*window, "Plabel")->text(), QString(10, QLatin1Char(' ')));
        QCOMPARE(control<QLabel>(*window, "Label1")->text(),
                 QStringLiteral("Add Point Number Prefix"));
        QCOMPARE(control<QLabel>(*window, "Label2")->text(),
                 QStringLiteral("Path and File to Download"));
        QCOMPARE(control<QLabel>(*window, "Label3")->text(), QStringLiteral("Curve Code"));
        QCOMPARE(control<QLabel>(*window, "Label4")->text(), QStringLiteral("Run Suffix"));
        QCOMPARE(control<QLabel>(*window, "Label5")->text(), QStringLiteral("Comment Delimiter"));
        QCOMPARE(control<QGroupBox>(*window, "Frame1")->parentWidget()->objectName(),
                 QStringLiteral("Frame2"));
        QCOMPARE(control<QGroupBox>(*window, "Frame4")->title(),
                 QStringLiteral("ZUZ Conversion Help"));

        QCOMPARE(control<QLineEdit>(*window, "ComText1")->text(), QStringLiteral("Comment"));
        QCOMPARE(control<QLineEdit>(*window, "GridText1")->text(), QStringLiteral("Description"));
        QCOMPARE(control<QLabel>(*window, "GridLabel1")->text(), QStringLiteral("POINT"));
        QCOMPARE(control<QPushButton>(*window, "Command1")->text(), QStringLiteral("Done"));
        auto* grid = control<QTableWidget>(*window, "PointGrid1");
        QCOMPARE(grid->columnCount(), 3);
        QCOMPARE(grid->rowCount(), 0);
        QCOMPARE(grid->horizontalHeaderItem(0)->text(), QStringLiteral("    Point         "));
        QCOMPARE(grid->horizontalHeaderItem(1)->text(), QStringLiteral("Description"));
        QCOMPARE(grid->horizontalHeaderItem(2)->text(),
                 QStringLiteral("           Comment                    "));
        QVERIFY(grid->columnWidth(2) > grid->columnWidth(1));
        QVERIFY(grid->columnWidth(0) > grid->columnWidth(1));
    }

    void layoutFollowsTheDesignInTwips() {
        Installation installation;
        FakeDialogs dialogs;
        auto window = openWindow(dialogs);
        const double scale = window->layoutScale();
        QVERIFY(scale >= 1.0 && scale <= 2.0);
        const auto design = [scale](int left, int top, int width, int height) {
            return TwipsLayout::toPixels(QRect(left, top, width, height), scale);
        };
        QCOMPARE(TwipsLayout::toPixels(QRect(120, 240, 975, 615), 1.0), QRect(8, 16, 65, 41));
        QCOMPARE(window->pageArea().size(), design(0, 0, 5205, 5160).size());
        QCOMPARE(control<QWidget>(*window, "Frame2")->geometry(), design(120, 600, 4815, 4095));
        QCOMPARE(control<QWidget>(*window, "GetFile")->geometry(), design(120, 240, 975, 615));
        QCOMPARE(control<QWidget>(*window, "Convert")->geometry(), design(120, 3360, 1455, 615));
        QCOMPARE(control<QWidget>(*window, "file1")->geometry(), design(1200, 600, 3135, 285));
        QCOMPARE(control<QWidget>(*window, "EM2")->geometry(), design(1080, 240, 735, 255));
        QCOMPARE(control<QWidget>(*window, "PointGrid1")->geometry(), design(120, 600, 4455, 3015));
        QCOMPARE(control<QWidget>(*window, "HelpText1")->geometry(), design(120, 240, 4455, 3960));
        // Every caption is whole in the window's font.
        for (const char* name :
             {"Label1", "Label2", "Label3", "Label4", "Label5", "GridLabel1", "EM1", "EM2",
              "OptionOBS", "GetFile", "DownLoad", "Convert", "Command1"}) {
            QWidget* widget = control<QWidget>(*window, name);
            QVERIFY2(widget->sizeHint().width() <= widget->width(), name);
        }
        auto* status = control<QLabel>(*window, "Plabel");
        status->setText(QStringLiteral("Converting Point Observations"));
        QVERIFY(status->sizeHint().width() <= status->width());
    }

    void helpListHoldsTheHelpText() {
        Installation installation;
        FakeDialogs dialogs;
        auto window = openWindow(dialogs);
        auto* help = control<QListWidget>(*window, "HelpText1");
        QCOMPARE(help->count(), 87);
        QCOMPARE(help->item(0)->text(),
                 QStringLiteral("Conversion Utility for ZUZ Surveyors Dozirezir files."));
        QCOMPARE(help->item(40)->text(),
                 QStringLiteral("directory other than c:\\kermit\\wkermit, you must edit the  "));
        QCOMPARE(help->item(59)->text(),
                 QStringLiteral("4.1.x - Beta Builds to add feature code editing. Integrated "
                                "MORVEL.exe"));
        QCOMPARE(help->item(60)->text(), QStringLiteral("        Integrated MORVEL.exe"));
        QCOMPARE(help->item(73)->text(), QStringLiteral("1. "));
        QCOMPARE(help->item(75)->text(),
                 QStringLiteral("2. Point editing grid often contains garbage in first six lines"));
        QCOMPARE(help->item(85)->text(), QStringLiteral(" "));
        QCOMPARE(help->item(86)->text(), QStringLiteral(" "));
        int blanks = 0;
        for (int i = 0; i < help->count(); ++i) {
            if (help->item(i)->text() == QStringLiteral(" ")) ++blanks;
        }
        QCOMPARE(blanks, 11);
        QCOMPARE(helpTextItems().size(), 87);

        clickTab(*window, 3);
        QVERIFY(control<QGroupBox>(*window, "Frame4")->isVisible());
        QVERIFY(!control<QGroupBox>(*window, "Frame2")->isVisible());
        QVERIFY(!control<QGroupBox>(*window, "Frame3")->isVisible());
        QVERIFY(dialogs.messages.isEmpty());
    }
};

}  // namespace zendro::testing

QTEST_MAIN(zendro::testing::StartupTest)
#include "startup_test.moc"
