// "Export Report..." on the Review page: the job report written as PDF or text
// by the chosen file's extension, off the window's thread, and a failure shown
// naming the file.

#include <QDoubleSpinBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "shell/review/review_page.h"
#include "tests/shell/fake_dialogs.h"
#include "tests/shell/review_page_support.h"
#include "tests/support/job_builder.h"
#include "tests/support/temp_dir.h"

namespace zendro::testing {
namespace {

class ReviewReportExportTest : public QObject {
    Q_OBJECT
  private:
    TempDir dir_;
    FakeDialogs dialogs_;
    std::unique_ptr<ReviewPage> page_;
    QStringList answers_;

    // The button as the user clicks it, the file from the chooser; then the
    // wait for the drawing, which runs beside the window.
    void exportReportTo(const std::string& name) {
        answers_ << QString::fromStdString(dir_.file(name));
        QSignalSpy ended(page_.get(), &ReviewPage::backgroundWorkEnded);
        QTest::mouseClick(page_->findChild<QPushButton*>(QStringLiteral("ReviewExportReport")),
                          Qt::LeftButton);
        QVERIFY(page_->busy());
        QVERIFY(ended.wait(20000));
    }

  private slots:
    void init() {
        qputenv("SOURCE_DATE_EPOCH", "1765117800");  // 2025-12-07
        writeSquareJob(dir_);                        // one closure finding, exact
        page_ = std::make_unique<ReviewPage>(dialogs_);
        page_->setSavePathChooser([this](const QString&, const QString&, const QString&) {
            return answers_.takeFirst();
        });
        page_->resize(900, 500);
        page_->show();
        QVERIFY(waitForReviewPage(*page_, [this] {
            page_->showJob(deriveJobPaths(dir_.file("SQ.HVD")), ConversionOptions{});
        }));
    }

    void writesTextOrPdfByTheExtensionWithTheLimitsInTheFields() {
        // The edit re-checks the job by itself.
        QVERIFY(waitForReviewPage(*page_, [this] {
            page_->findChild<QDoubleSpinBox*>(QStringLiteral("LimitClosureRatio"))->setValue(20000);
        }));
        exportReportTo("SQ report.TXT");
        const std::string text = readFile(dir_.file("SQ report.TXT"));
        QCOMPARE(QString::fromStdString(text.substr(0, text.find("\r\nDate: "))),
                 QStringLiteral("ZENDRO job report\r\nJob: SQ"));
        QVERIFY(text.find("\r\nDate: 2025-12-07\r\n") != std::string::npos);
        QVERIFY(
            text.find("\r\nreview: 1 findings, 0 over limit, 4 measured checks within limit\r\n") !=
            std::string::npos);
        QVERIFY(text.find("\r\nLimits used\r\nTraverse precision 1:N: 1:20000\r\n") !=
                std::string::npos);

        exportReportTo("SQ-report.pdf");
        QVERIFY(readFile(dir_.file("SQ-report.pdf")).starts_with("%PDF-"));
        QVERIFY(dialogs_.messages.isEmpty());
    }

    void aFileThatCannotBeWrittenIsNamed() {
        writeFile(dir_.file("plain"), "a file, not a folder");
        exportReportTo("plain/SQ.pdf");
        QCOMPARE(dialogs_.messages.size(), 1);
        QVERIFY2(
            dialogs_.messages[0].startsWith(QString::fromStdString(dir_.file("plain/SQ.pdf: "))),
            qPrintable(dialogs_.messages[0]));
        QCOMPARE(readFile(dir_.file("plain")), std::string("a file, not a folder"));
    }
};

}  // namespace
}  // namespace zendro::testing

QTEST_MAIN(zendro::testing::ReviewReportExportTest)
#include "review_report_export_test.moc"
