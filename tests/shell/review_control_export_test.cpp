// The Review page's control, start by hand, coordinate system and export
// dialog, driven through their real widgets; the work runs off the window's
// thread, so each step waits for the page to say it has ended.

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTableView>
#include <QTest>
#include <cstdlib>
#include <filesystem>

#include "common/run_observer.h"
#include "conversion/conversion_run.h"
#include "shell/review/export_dialog.h"
#include "shell/review/review_page.h"
#include "shell/review/sketch_widget.h"
#include "tests/shell/fake_dialogs.h"
#include "tests/shell/review_page_support.h"
#include "tests/support/job_builder.h"
#include "tests/support/temp_dir.h"

namespace zendro::testing {
namespace {

// Placed by hand with 1 at N 1000, E 2000, Z 50 and the backsight to 4 at
// azimuth 30, a local (n, e) lands at N = 1000 + n cos30 - e sin30,
// E = 2000 + n sin30 + e cos30: 2 (0, 100) at 950, 2086.6025; 3 (100, 100)
// at 1036.6025, 2136.6025; 4 (100, 0) at 1086.6025, 2050. The control file
// has 2 0.080 farther east: 2 is 0.080 off, and the backsights 2 -> 1 and
// 3 -> 2 turn by 82.4" and 142.9" (worked in the command line's test).
const std::string kSquareControl =
    "name,N,E,Z\r\n"
    "1,1000.0000,2000.0000,50\r\n"
    "2,950.0000,2086.6825,50\r\n"
    "3,1036.6025,2136.6025,50\r\n"
    "4,1086.6025,2050.0000,50\r\n";

const QString kWithin = QStringLiteral("; limit 0.050, elevation 0.050: within limit");
const QString kZero = QStringLiteral("north 0.000 east 0.000 elevation 0.000, horizontal 0.000");
const QStringList kPlacedFindings{
    "HVD record 0, point 1: control point check against the control file's line 2: " + kZero +
        kWithin,
    "HVD record 1, setup on 1, point 4: control point check against the control file's line 5: " +
        kZero + kWithin,
    "HVD record 1, setup on 1, point 1: backsight on control point 4 from control point 1: azimuth "
    "30.00000 against 30.00000 between the known points (0.0\"); limit 20.0\": within limit",
    "HVD record 2, setup on 1, point 2: control point check against the control file's line 3: "
    "north "
    "0.000 east -0.080 elevation 0.000, horizontal 0.080; limit 0.050, elevation 0.050: OVER "
    "LIMIT, check the control point's number and coordinates, then re-measure the setups and "
    "shots that place it",
    "HVD record 4, setup on 2, point 2: backsight on control point 1 from control point 2: azimuth "
    "300.00000 against 299.58376 between the known points (82.4\"); limit 20.0\": OVER LIMIT, "
    "check both control points' numbers and coordinates, then re-measure the backsight",
    "HVD record 5, setup on 2, point 3: control point check against the control file's line 4: " +
        kZero + kWithin,
    "HVD record 7, setup on 3, point 3: backsight on control point 2 from control point 3: azimuth "
    "210.00000 against 209.57371 between the known points (142.9\"); limit 20.0\": OVER LIMIT, "
    "check both control points' numbers and coordinates, then re-measure the backsight",
    "HVD record 10, setup on 4, point 4: backsight on control point 3 from control point 4: "
    "azimuth "
    "120.00000 against 120.00000 between the known points (0.0\"); limit 20.0\": within limit",
    "HVD record 11, setup on 4, point 1: traverse closure: misclosure north 0.0000 east 0.0000 "
    "elevation "
    "0.0000, linear 0.0000 over 400.000, precision exact; limit 1:10000, elevation 0.100: "
    "within limit"};

class ReviewControlExportTest : public QObject {
    Q_OBJECT
  private:
    TempDir dir_;
    FakeDialogs dialogs_;
    std::unique_ptr<ReviewPage> page_;

    template <typename W>
    W* widget(const char* name) {
        return pageControl<W>(*page_, name);
    }
    void click(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
    // Clicks and waits for the work it started off the window's thread.
    void clickAndWait(QPushButton* button) {
        QSignalSpy ended(page_.get(), &ReviewPage::backgroundWorkEnded);
        click(button);
        QVERIFY(ended.wait(10000));
    }
    QStringList listed(const char* list) {
        if (std::string_view(list) == "ReviewFindings") return shownFindingLines(*page_);
        QStringList lines;
        auto* items = widget<QListWidget>(list);
        for (int i = 0; i < items->count(); ++i) lines << items->item(i)->text();
        return lines;
    }
    void typeStart(const char* north, const char* east, const char* elevation,
                   const char* azimuth) {
        widget<QGroupBox>("StartByHand")->setChecked(true);
        widget<QLineEdit>("StartNorth")->setText(QString::fromLatin1(north));
        widget<QLineEdit>("StartEast")->setText(QString::fromLatin1(east));
        widget<QLineEdit>("StartElevation")->setText(QString::fromLatin1(elevation));
        widget<QLineEdit>("StartAzimuth")->setText(QString::fromLatin1(azimuth));
    }
    void chooseControl(const std::string& path) {
        dialogs_.choices.push_back(QString::fromStdString(path));
        clickAndWait(widget<QPushButton>("ReviewControl"));
    }
    ExportDialog* openExportDialog() {
        click(widget<QPushButton>("ReviewExport"));
        for (ExportDialog* dialog : page_->findChildren<ExportDialog*>())
            if (dialog->isVisible()) return dialog;
        qFatal("no export dialog shown");
    }
    template <typename W>
    static W* in(ExportDialog* dialog, const char* name) {
        return dialog->findChild<W*>(QString::fromLatin1(name));
    }
    // Chooses the file through the page's save-path chooser and writes.
    void exportThrough(ExportDialog* dialog, const std::string& path) {
        page_->setSavePathChooser([path](const QString&, const QString&, const QString&) {
            return QString::fromStdString(path);
        });
        click(in<QPushButton>(dialog, "ExportChooseFile"));
        QCOMPARE(in<QLineEdit>(dialog, "ExportFile")->text(), QString::fromStdString(path));
        clickAndWait(in<QPushButton>(dialog, "ExportWrite"));
    }
    // The sketch, the list and the exports follow the placement at once.
    void placeByHand() {
        typeStart("1000", "2000", "50", "30.0000");
        clickAndWait(widget<QPushButton>("ReviewApplyPlacement"));
        QVERIFY(dialogs_.messages.isEmpty());
        QCOMPARE(widget<QComboBox>("PositionsFrame")->currentIndex(), 1);  // tied to control
        QCOMPARE(page_->sketch().model().title.frame, std::string("tied to control"));
    }
    std::vector<std::string> filesInDir() {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(dir_.file("")))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

  private slots:
    void init() {
        writeSquareJob(dir_);
        dialogs_ = FakeDialogs{};
        page_ = std::make_unique<ReviewPage>(dialogs_);
        page_->resize(900, 500);
        page_->show();
        QVERIFY(waitForReviewPage(*page_, [this] {
            page_->showJob(deriveJobPaths(dir_.file("SQ.HVD")), ConversionOptions{});
        }));
    }

    void controlFindingsJoinTheListAndBadChoicesChangeNothing() {
        QCOMPARE(listed("ReviewFindings"), QStringList{kPlacedFindings.back()});
        auto* frames =
            qobject_cast<QStandardItemModel*>(widget<QComboBox>("PositionsFrame")->model());
        QVERIFY(!frames->item(1)->isEnabled());  // nothing tied yet
        typeStart("1000", "2000", "50", "30.0000");
        writeFile(dir_.file("control.csv"), kSquareControl);
        chooseControl(dir_.file("control.csv"));
        QCOMPARE(dialogs_.messages, QStringList{});
        QCOMPARE(listed("ReviewFindings"), kPlacedFindings);
        QCOMPARE(
            widget<QLabel>("ReviewSummary")->text(),
            QStringLiteral("review: 9 findings, 3 over limit, 9 measured checks within limit"));
        QCOMPARE(widget<QComboBox>("PositionsFrame")->currentIndex(), 1);
        QCOMPARE(listed("ReviewPositions"), (QStringList{"1  N 1000.000  E 2000.000  Z 50.000",
                                                         "2  N 950.000  E 2086.603  Z 50.000",
                                                         "3  N 1036.603  E 2136.603  Z 50.000",
                                                         "4  N 1086.603  E 2050.000  Z 50.000"}));

        // The control limit in the field is the one checked: at 0.100 point 2 is within.
        widget<QDoubleSpinBox>("LimitControlHorizontal")->setValue(0.1);
        clickAndWait(widget<QPushButton>("ReviewCheck"));
        QCOMPARE(listed("ReviewFindings").at(3),
                 QStringLiteral(
                     "HVD record 2, setup on 1, point 2: control point check against the control "
                     "file's line 3: north 0.000 east -0.080 elevation 0.000, "
                     "horizontal 0.080; limit 0.100, elevation 0.050: within limit"));
        widget<QDoubleSpinBox>("LimitControlHorizontal")->setValue(0.05);
        clickAndWait(widget<QPushButton>("ReviewCheck"));

        // A point twice: the message names the file and line; the control
        // in use stays, and so do its findings.
        writeFile(dir_.file("twice.csv"), "1,1000,2000,50\n1,1000,2000,51\n");
        chooseControl(dir_.file("twice.csv"));
        QCOMPARE(dialogs_.messages.size(), 1);
        QVERIFY2(dialogs_.messages[0].startsWith(
                     QString::fromStdString(dir_.file("twice.csv") + ": line 2: ")),
                 qPrintable(dialogs_.messages[0]));
        QCOMPARE(listed("ReviewFindings"), kPlacedFindings);
        QCOMPARE(widget<QLineEdit>("ControlFile")->text(),
                 QString::fromStdString(dir_.file("control.csv")));
        QCOMPARE(page_->placementChoices().controlPath, dir_.file("control.csv"));

        // A system in meters for a job in feet, then an azimuth not DDD.MMSS.
        widget<QLineEdit>("CoordinateSystem")->setText(QStringLiteral("EPSG:26943"));
        clickAndWait(widget<QPushButton>("ReviewApplyPlacement"));
        QCOMPARE(dialogs_.messages.size(), 2);
        QVERIFY2(dialogs_.messages[1].contains(
                     QStringLiteral("EPSG:26943: the job is in US survey feet")),
                 qPrintable(dialogs_.messages[1]));
        QCOMPARE(widget<QLineEdit>("CoordinateSystem")->text(), QString());
        widget<QLineEdit>("StartAzimuth")->setText(QStringLiteral("north"));
        clickAndWait(widget<QPushButton>("ReviewApplyPlacement"));
        QCOMPARE(dialogs_.messages.size(), 3);
        QVERIFY2(dialogs_.messages[2].startsWith(QStringLiteral("start by hand: ")),
                 qPrintable(dialogs_.messages[2]));
        QCOMPARE(listed("ReviewFindings"), kPlacedFindings);

        // The choices stay for the next job reviewed.
        QVERIFY(waitForReviewPage(*page_, [this] {
            page_->showJob(deriveJobPaths(dir_.file("SQ.HVD")), ConversionOptions{});
        }));
        QCOMPARE(listed("ReviewFindings"), kPlacedFindings);
    }

    void applyClickedDuringAReviewFollowsIt() {
        typeStart("1000", "2000", "50", "30.0000");
        QVERIFY(waitForReviewPage(*page_, [this] {
            click(widget<QPushButton>("ReviewCheck"));
            click(widget<QPushButton>("ReviewApplyPlacement"));
        }));
        QVERIFY(page_->tie().has_value());
        QVERIFY(!page_->busy());
    }

    void csvExportThroughTheDialogWritesThePlacedPositions() {
        placeByHand();
        ExportDialog* dialog = openExportDialog();
        auto* format = in<QComboBox>(dialog, "ExportFormat");
        QCOMPARE(format->count(), 6);
        auto* columns = in<QLineEdit>(dialog, "ExportColumns");
        format->setCurrentIndex(format->findText(QStringLiteral("dxf")));
        QVERIFY(!columns->isEnabled() && !in<QCheckBox>(dialog, "ExportHeader")->isEnabled());
        format->setCurrentIndex(format->findText(QStringLiteral("csv")));
        QVERIFY(columns->isEnabled() && in<QComboBox>(dialog, "ExportDelimiter")->isEnabled());
        columns->setText(QStringLiteral("PENZ"));
        exportThrough(dialog, dir_.file("SQ-tied.csv"));
        QCOMPARE(dialogs_.messages,
                 QStringList{"Exported to " + QString::fromStdString(dir_.file("SQ-tied.csv"))});
        QCOMPARE(readFile(dir_.file("SQ-tied.csv")),
                 std::string("Point,Easting (US ft),Northing (US ft),Elevation (US ft)\r\n"
                             "1,2000.000,1000.000,50.000\r\n"
                             "2,2086.603,950.000,50.000\r\n"
                             "3,2136.603,1036.603,50.000\r\n"
                             "4,2050.000,1086.603,50.000\r\n"));

        // The dialog opens with the last choices; semicolons, no header.
        dialog = openExportDialog();
        QCOMPARE(in<QLineEdit>(dialog, "ExportColumns")->text(), QStringLiteral("PENZ"));
        in<QLineEdit>(dialog, "ExportColumns")->setText(QStringLiteral("PNEZD"));
        in<QComboBox>(dialog, "ExportDelimiter")->setCurrentIndex(1);
        in<QCheckBox>(dialog, "ExportHeader")->setChecked(false);
        exportThrough(dialog, dir_.file("semi.csv"));
    }

    // The same job, options and positions give the window and the command
    // line the same files: the window's conversion, exports and report (its
    // instrument and crew in the Report tab), then zendro-convert's of the
    // same placement and flags under the same names, compared byte for byte.
    void theWindowsFilesAreTheCommandLines() {
        qputenv("SOURCE_DATE_EPOCH", "86400");  // LandXML and the report carry the day
        const JobPaths job = deriveJobPaths(dir_.file("SQ.HVD"));
        NullObserver quiet;
        const ConversionResult converted = runConversion(job, ConversionOptions{}, quiet);
        QVERIFY(waitForReviewPage(*page_,
                                  [&] { page_->showJob(job, ConversionOptions{}, converted); }));
        placeByHand();
        QTest::keyClicks(widget<QLineEdit>("ReportInstrument"), "TS-11 #4471");
        QTest::keyClicks(widget<QLineEdit>("ReportCrew"), "R. Ortiz, K. Lee");
        std::filesystem::create_directory(dir_.file("out"));
        const std::pair<const char*, const char*> formats[] = {
            {"csv", "csv"}, {"landxml", "xml"}, {"dxf", "dxf"}};
        for (const auto& [format, extension] : formats) {
            ExportDialog* dialog = openExportDialog();
            auto* chosen = in<QComboBox>(dialog, "ExportFormat");
            chosen->setCurrentIndex(chosen->findText(QString::fromLatin1(format)));
            exportThrough(dialog, dir_.file(std::string("out/SQ.") + extension));
        }
        page_->setSavePathChooser([this](const QString&, const QString&, const QString&) {
            return QString::fromStdString(dir_.file("out/SQ-report.txt"));
        });
        clickAndWait(widget<QPushButton>("ReviewExportReport"));
        QCOMPARE(dialogs_.messages.size(), 3);

        std::filesystem::rename(dir_.file("out"), dir_.file("window"));
        std::filesystem::create_directory(dir_.file("out"));
        const std::string command =
            std::string(ZENDRO_CONVERT_PATH) +
            " --start 1000,2000,50 --azimuth 30.0000 "
            "--export csv:'" +
            dir_.file("out/SQ.csv") + "' --export landxml:'" + dir_.file("out/SQ.xml") +
            "' --export dxf:'" + dir_.file("out/SQ.dxf") + "' --report '" +
            dir_.file("out/SQ-report.txt") +
            "' --report-instrument 'TS-11 #4471' --report-crew 'R. Ortiz, K. Lee' '" +
            dir_.file("SQ.HVD") + "' >/dev/null 2>&1";
        QCOMPARE(std::system(command.c_str()), 0);
        qunsetenv("SOURCE_DATE_EPOCH");
        for (const char* name : {"SQ.csv", "SQ.xml", "SQ.dxf", "SQ-report.txt"}) {
            const std::string window = readFile(dir_.file(std::string("window/") + name));
            QVERIFY(!window.empty());
            QVERIFY2(window == readFile(dir_.file(std::string("out/") + name)), name);
        }
        // The report names what it is given and what was written.
        const std::string report = readFile(dir_.file("out/SQ-report.txt"));
        for (const std::string& line :
             {std::string("Instrument: TS-11 #4471"), std::string("Frame: tied to control"),
              "csv: " + dir_.file("out/SQ.csv")})
            QVERIFY2(report.find("\r\n" + line + "\r\n") != std::string::npos, line.c_str());
    }

    void failedExportsShowTheirMessageAndLeaveNothing() {
        writeFile(dir_.file("plain"), "a file, not a folder");
        const std::vector<std::string> before = filesInDir();
        exportThrough(openExportDialog(), dir_.file("plain/SQ.csv"));
        QCOMPARE(dialogs_.messages.size(), 1);
        QVERIFY2(dialogs_.messages[0].startsWith(QString::fromStdString(dir_.file("plain/SQ.csv"))),
                 qPrintable(dialogs_.messages[0]));
        QCOMPARE(dialogs_.kinds.back(), MessageKind::Error);

        // A system alone ties nothing, and Apply says so; local positions
        // are not put on its grid.
        widget<QLineEdit>("CoordinateSystem")->setText(QStringLiteral("EPSG:2227"));
        clickAndWait(widget<QPushButton>("ReviewApplyPlacement"));
        QCOMPARE(dialogs_.messages.size(), 2);
        QVERIFY2(dialogs_.messages[1].startsWith(QStringLiteral(
                     "No control file and no start by hand: the job stays in its local frame")),
                 qPrintable(dialogs_.messages[1]));
        ExportDialog* dialog = openExportDialog();
        auto* format = in<QComboBox>(dialog, "ExportFormat");
        format->setCurrentIndex(format->findText(QStringLiteral("kml")));
        exportThrough(dialog, dir_.file("SQ.kml"));
        QCOMPARE(dialogs_.messages.size(), 3);
        QVERIFY2(dialogs_.messages[2].startsWith(QString::fromStdString(
                     dir_.file("SQ.kml") + ": the job's positions are local")),
                 qPrintable(dialogs_.messages[2]));
        QCOMPARE(filesInDir(), before);

        // A job without a positioned point: refused, never "Exported to".
        writeFile(dir_.file("EMPTY.HVD"), hvdRecord(9, 0));
        writeFile(dir_.file("EMPTY.pf"), "");
        QVERIFY(waitForReviewPage(*page_, [this] {
            page_->showJob(deriveJobPaths(dir_.file("EMPTY.HVD")), ConversionOptions{});
        }));
        dialog = openExportDialog();
        format = in<QComboBox>(dialog, "ExportFormat");
        format->setCurrentIndex(format->findText(QStringLiteral("csv")));
        exportThrough(dialog, dir_.file("EMPTY.csv"));
        QCOMPARE(dialogs_.messages.size(), 4);
        QCOMPARE(dialogs_.messages[3],
                 QString::fromStdString(dir_.file("EMPTY.csv")) +
                     QStringLiteral(": the job has no positioned point to export; nothing was "
                                    "written"));
        QCOMPARE(dialogs_.kinds.back(), MessageKind::Error);
        QVERIFY(!std::filesystem::exists(dir_.file("EMPTY.csv")));
    }

    // The file follows the format; Enter after Choose... exports; an existing
    // file is replaced only once the user agrees; a file of the job never.
    void exportsAskBeforeReplacingAndRefuseTheJobsFiles() {
        ExportDialog* dialog = openExportDialog();
        auto* file = in<QLineEdit>(dialog, "ExportFile");
        QCOMPARE(file->text(), QString::fromStdString(dir_.file("SQ.csv")));  // the job's name
        auto* format = in<QComboBox>(dialog, "ExportFormat");
        format->setCurrentIndex(format->findText(QStringLiteral("landxml")));
        QCOMPARE(file->text(), QString::fromStdString(dir_.file("SQ.xml")));
        format->setCurrentIndex(format->findText(QStringLiteral("csv")));

        writeFile(dir_.file("SQ.csv"), "kept\r\n");
        page_->setSavePathChooser([this](const QString&, const QString&, const QString&) {
            return QString::fromStdString(dir_.file("SQ"));  // typed without an extension
        });
        click(in<QPushButton>(dialog, "ExportChooseFile"));
        QCOMPARE(file->text(), QString::fromStdString(dir_.file("SQ.csv")));
        const QString question = QString::fromStdString(dir_.file("SQ.csv")) +
                                 QStringLiteral(" already exists. Replace it?");
        // Enter, from the Choose... button that had the focus: the question, answered No.
        QTest::keyClick(in<QPushButton>(dialog, "ExportChooseFile"), Qt::Key_Return);
        QCOMPARE(dialogs_.questions, QStringList{question});
        QVERIFY(dialog->isVisible());
        QCOMPARE(readFile(dir_.file("SQ.csv")), std::string("kept\r\n"));
        dialogs_.answers.push_back(true);
        QSignalSpy ended(page_.get(), &ReviewPage::backgroundWorkEnded);
        QTest::keyClick(dialog, Qt::Key_Return);
        QVERIFY(ended.wait(10000));
        QCOMPARE(dialogs_.questions, (QStringList{question, question}));
        QVERIFY(readFile(dir_.file("SQ.csv")).starts_with("Point,Northing (US ft)"));
        QCOMPARE(dialogs_.messages,
                 QStringList{"Exported to " + QString::fromStdString(dir_.file("SQ.csv"))});

        // The job's own files: refused by name, before any question.
        const std::string hvd = readFile(dir_.file("SQ.HVD"));
        dialog = openExportDialog();
        in<QLineEdit>(dialog, "ExportFile")->setText(QString::fromStdString(dir_.file("SQ.HVD")));
        QTest::keyClick(dialog, Qt::Key_Return);
        QCOMPARE(dialogs_.questions.size(), 2);
        QCOMPARE(dialogs_.messages.size(), 2);
        QVERIFY2(dialogs_.messages[1].startsWith(QString::fromStdString(
                     dir_.file("SQ.HVD") + ": would replace " + dir_.file("SQ.HVD"))),
                 qPrintable(dialogs_.messages[1]));
        QVERIFY(dialog->isVisible());
        QCOMPARE(readFile(dir_.file("SQ.HVD")), hvd);
    }

    // Another job starts afresh: nothing of the last one's control, start,
    // system, positions, adjustment or export file is kept.
    void anotherJobKeepsNothingOfTheLastOnesPlacementOrAdjustment() {
        placeByHand();
        widget<QLineEdit>("CoordinateSystem")->setText(QStringLiteral("EPSG:2227"));
        writeFile(dir_.file("control.csv"), kSquareControl);
        chooseControl(dir_.file("control.csv"));
        clickAndWait(widget<QPushButton>("ReviewAdjust"));
        QCOMPARE(widget<QComboBox>("PositionsFrame")->currentIndex(), 2);  // adjusted
        QCOMPARE(page_->sketch().model().title.frame, std::string("adjusted"));
        ExportDialog* dialog = openExportDialog();
        exportThrough(dialog, dir_.file("SQ-adjusted.csv"));

        TempDir other;
        writeSquareJob(other);
        QVERIFY(waitForReviewPage(*page_, [&] {
            page_->showJob(deriveJobPaths(other.file("SQ.HVD")), ConversionOptions{});
        }));
        QCOMPARE(widget<QLineEdit>("ControlFile")->text(), QString());
        QCOMPARE(widget<QLineEdit>("CoordinateSystem")->text(), QString());
        QVERIFY(!widget<QGroupBox>("StartByHand")->isChecked());
        QCOMPARE(page_->placementChoices(), PlacementChoices{});
        QVERIFY(!page_->tie().has_value());
        QCOMPARE(widget<QComboBox>("PositionsFrame")->currentIndex(), 0);
        QCOMPARE(page_->sketch().model().title.frame, std::string("local"));
        QCOMPARE(widget<QLabel>("AdjustmentStatistics")->text(), QString());
        QCOMPARE(widget<QTableView>("ResidualTable")->model()->rowCount(), 0);
        QCOMPARE(listed("ReviewFindings"), QStringList{kPlacedFindings.back()});
        dialog = openExportDialog();
        QCOMPARE(in<QLineEdit>(dialog, "ExportFile")->text(),
                 QString::fromStdString(other.file("SQ.csv")));
    }
};

}  // namespace
}  // namespace zendro::testing

QTEST_MAIN(zendro::testing::ReviewControlExportTest)
#include "review_control_export_test.moc"
