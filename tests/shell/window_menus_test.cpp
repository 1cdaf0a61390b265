// The menu bar, its keys and the status bar, driven as a user would.

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTabBar>
#include <QTableWidget>
#include <QUrl>

#include "common/version.h"
#include "shell/window_status.h"
#include "tests/shell/shell_test_support.h"

namespace zendro::testing {
namespace {

QAction* menuItem(QWidget& window, const char* menu, const QString& text) {
    for (QAction* action : control<QMenu>(window, menu)->actions()) {
        if (action->text() == text) return action;
    }
    qFatal("no item %s in %s", qPrintable(text), menu);
}

// The letter after a single '&' of a caption, lower case; none for "&&".
QChar mnemonic(const QString& caption) {
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != QLatin1Char('&')) continue;
        if (caption[i + 1] == QLatin1Char('&')) {
            ++i;
            continue;
        }
        return caption[i + 1].toLower();
    }
    return {};
}

// The window with the sample job RUN in its folder, chosen with Filename when
// `chosen` (as most tests want) or left for the test to open.
struct SampleJobWindow {
    explicit SampleJobWindow(bool chosen = true) {
        writeSampleJob(jobs.path(), "RUN");
        window = openWindow(dialogs);
        if (chosen) chooseJob(*window, dialogs, jobs.file("RUN.HVD"));
    }

    Installation installation;
    TempDir jobs;
    FakeDialogs dialogs;
    std::unique_ptr<Form1> window;
};

// Stands in for the desktop's viewer of files.
class UrlCatcher : public QObject {
    Q_OBJECT
  public slots:
    void open(const QUrl& url) { opened.append(url); }

  public:
    QList<QUrl> opened;
};

}  // namespace

class WindowMenusTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QCoreApplication::setApplicationName(QStringLiteral("zendro")); }

    // Alt+letter must reach one thing only: a menu's letter that a control on
    // the conversion page also has (Alt+E English, Alt+M Metric, Alt+C Convert)
    // would take the control's key away.
    void menuLettersAndPageLettersAreAllDifferent() {
        Installation installation;
        FakeDialogs dialogs;
        auto window = openWindow(dialogs);
        QStringList owners;
        QList<QChar> letters;
        const auto take = [&](const QString& caption) {
            if (const QChar letter = mnemonic(caption); !letter.isNull()) {
                const qsizetype taken = letters.indexOf(letter);
                QVERIFY2(taken < 0, qPrintable(caption + " clashes with " + owners.value(taken)));
                letters.append(letter);
                owners.append(caption);
            }
        };
        for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
            if (button->isVisibleTo(window.get())) take(button->text());
        }
        for (QAction* menu : control<QMenuBar>(*window, "MenuBar")->actions()) take(menu->text());
        QCOMPARE(control<QMenuBar>(*window, "MenuBar")->actions().size(), 4);
    }

    // Every control a user can reach says what it is for, in the window's words.
    void everyControlHasATooltip() {
        SampleJobWindow sample;
        Form1* window = sample.window.get();
        QStringList bare;
        for (QWidget* widget : window->findChildren<QWidget*>()) {
            const bool control = qobject_cast<QAbstractButton*>(widget) ||
                                 qobject_cast<QLineEdit*>(widget) ||
                                 qobject_cast<QAbstractItemView*>(widget) ||
                                 qobject_cast<QTabBar*>(widget) ||
                                 qobject_cast<QComboBox*>(widget) ||
                                 qobject_cast<QAbstractSpinBox*>(widget);
            // Qt's own parts (a spin box's line edit, a tab bar's arrows) are not ours.
            const QString name = widget->objectName();
            if (!control || name.isEmpty() || name.startsWith(QStringLiteral("qt_")) ||
                qobject_cast<QTabBar*>(widget->parentWidget()) != nullptr) {
                continue;
            }
            if (widget->toolTip().isEmpty()) bare.append(name);
        }
        QVERIFY2(bare.isEmpty(), qPrintable(bare.join(QStringLiteral(", "))));
        // Written for the window: no command-line flag in a tip or a caption.
        const QRegularExpression flag(QStringLiteral("(^|[\\s(])--[a-z]"));
        QStringList flagged;
        for (QWidget* widget : window->findChildren<QWidget*>()) {
            const auto* label = qobject_cast<QLabel*>(widget);
            const auto* button = qobject_cast<QAbstractButton*>(widget);
            for (const QString& text : {widget->toolTip(), label ? label->text() : QString(),
                                        button ? button->text() : QString()}) {
                if (flag.match(text).hasMatch()) flagged.append(widget->objectName() + ": " + text);
            }
        }
        QVERIFY2(flagged.isEmpty(), qPrintable(flagged.join(QLatin1Char('\n'))));
    }

    // The Edit menu acts on the feature editor only while it is shown: Ctrl+Z
    // on the conversion page must not undo an edit made in the grid.
    void editMenuActsOnTheGridOnlyWhileItIsShown() {
        SampleJobWindow sample;
        Form1* window = sample.window.get();
        QAction* undo = menuItem(*window, "EditMenu", QStringLiteral("&Undo"));
        QAction* save = menuItem(*window, "EditMenu", QStringLiteral("&Save Features"));
        QVERIFY(!save->isEnabled());
        clickTab(*window, 2);
        auto* grid = control<QTableWidget>(*window, "PointGrid1");
        QVERIFY(grid->rowCount() > 0);
        QVERIFY(save->isEnabled() && !undo->isEnabled());
        window->PointGrid1_Click(0);
        const QString before = grid->item(0, 1)->text();
        control<QLineEdit>(*window, "GridText1")->setText(QStringLiteral("EDITED"));
        QCOMPARE(grid->item(0, 1)->text(), QStringLiteral("EDITED"));
        QVERIFY(undo->isEnabled());
        undo->trigger();
        QCOMPARE(grid->item(0, 1)->text(), before);
        // Redone, then saved with Ctrl+S, which the status bar tells, and left
        // for page 1 (saved, so nothing is asked).
        menuItem(*window, "EditMenu", QStringLiteral("&Redo"))->trigger();
        QTest::keySequence(window, QKeySequence::Save);
        QVERIFY2(QRegularExpression(QStringLiteral("^RUN\\.pf saved at [0-2][0-9]:[0-5][0-9]$"))
                     .match(window->status().currentMessage())
                     .hasMatch(),
                 qPrintable(window->status().currentMessage()));
        QVERIFY(readFile(sample.jobs.file("RUN.pf")).find("EDITED") != std::string::npos);
        clickTab(*window, 1);
        QVERIFY(!undo->isEnabled() && !save->isEnabled());
        QTest::keyClick(window, Qt::Key_Z, Qt::ControlModifier);
        clickTab(*window, 2);
        QCOMPARE(grid->item(0, 1)->text(), QStringLiteral("EDITED"));
    }

    // File > Open Job... and its key choose the job; the status bar names it,
    // File > Convert converts it and the status bar gives the count of the
    // sample's 11 HVD records; Done with an edit says JOB.obs is behind.
    void fileMenuOpensAndConvertsAndTheStatusBarFollows() {
        SampleJobWindow sample(false);
        Form1* window = sample.window.get();
        FakeDialogs& dialogs = sample.dialogs;
        const TempDir& jobs = sample.jobs;
        const auto& status = window->status();
        QCOMPARE(status.jobText(), QStringLiteral("No job selected"));
        dialogs.choices.push_back(QString::fromStdString(jobs.file("RUN.HVD")));
        QTest::keySequence(window, QKeySequence::Open);
        QCOMPARE(dialogs.fileDialogs, 1);
        QCOMPARE(status.jobText(),
                 QStringLiteral("Job: RUN.HVD in %1")
                     .arg(QDir::toNativeSeparators(QFileInfo(QString::fromStdString(jobs.file("RUN.HVD"))).absolutePath())));

        window->menus().convert->trigger();
        QVERIFY(QTest::qWaitFor([&] { return !window->conversionRunning(); }, 60000));
        // The sample converts without a warning.
        const QString converted = status.conversionText();
        QVERIFY2(QRegularExpression(QStringLiteral("^Converted at [0-2][0-9]:[0-5][0-9]: "
                                                   "11 records, 0 warnings$"))
                     .match(converted)
                     .hasMatch(),
                 qPrintable(converted));
        QVERIFY(status.editsText().isEmpty());

        clickTab(*window, 2);
        window->PointGrid1_Click(0);
        control<QLineEdit>(*window, "GridText1")->setText(QStringLiteral("EDITED"));
        const int width = window->width();
        window->Command1_Click();
        QCOMPARE(status.editsText(), QStringLiteral("RUN.obs is older than the feature edits"));
        // The notes fit the window at its design size: it keeps its width and
        // the conversion page shows its note whole.
        QCoreApplication::processEvents();
        QCOMPARE(window->width(), width);
        auto* note = control<QLabel>(*window, "Plabel");
        QVERIFY2(
            note->fontMetrics().horizontalAdvance(note->text()) <= note->contentsRect().width(),
            qPrintable(note->text()));
        QVERIFY(clickConvertAndWait(*window));
        QVERIFY(status.editsText().isEmpty());

        // Another job: nothing of this one's conversion is told.
        writeSampleJob(jobs.path(), "ROAD");
        dialogs.choices.push_back(QString::fromStdString(jobs.file("ROAD.HVD")));
        QTest::keySequence(window, QKeySequence::Open);
        QVERIFY(status.jobText().startsWith(QStringLiteral("Job: ROAD.HVD in ")));
        QCOMPARE(status.conversionText(), QString());
    }

    void helpMenuShowsTheHelpPageAndTheVersion() {
        Installation installation;
        FakeDialogs dialogs;
        auto window = openWindow(dialogs);
        window->menus().helpPage->trigger();
        QVERIFY(control<QWidget>(*window, "HelpText1")->isVisible());
        // The user guide: the manual, handed to the desktop's viewer.
        UrlCatcher viewer;
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &viewer, "open");
        menuItem(*window, "HelpMenu", QStringLiteral("&User Guide"))->trigger();
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        QCOMPARE(viewer.opened.size(), 1);
        const QString guide = viewer.opened.first().toLocalFile();
        QVERIFY2(guide.endsWith(QStringLiteral("/doc/zendro/README.md")), qPrintable(guide));
        QVERIFY(readFile(guide.toStdString()).starts_with("# ZENDRO"));
        window->menus().about->trigger();
        QCOMPARE(dialogs.messages.size(), 1);
        QVERIFY(dialogs.messages.first().startsWith(
            QStringLiteral("ZENDRO %1\n").arg(QString::fromLatin1(ZENDRO_VERSION_TEXT))));
        // Without a job the Review page refuses, as its tab does.
        window->menus().pages[3]->trigger();
        QVERIFY(!control<QWidget>(*window, "ReviewPage")->isVisible());
        QVERIFY(control<QWidget>(*window, "Frame2")->isVisible());
    }

    void quitClosesTheWindow() {
        Installation installation;
        FakeDialogs dialogs;
        auto window = openWindow(dialogs);
        QVERIFY(window->isVisible());
        QTest::keyClick(window.get(), Qt::Key_Q, Qt::ControlModifier);
        QTRY_VERIFY(!window->isVisible());
    }
};

}  // namespace zendro::testing

QTEST_MAIN(zendro::testing::WindowMenusTest)
#include "window_menus_test.moc"
