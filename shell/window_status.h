#pragma once

#include <QDateTime>
#include <QStatusBar>
#include <QString>
#include <cstddef>

class QLabel;
class QProgressBar;
class QPushButton;

namespace zendro {

// The window's status bar: the selected job, the last conversion, the note
// that JOB.obs lacks the feature edits saved since, and the pass a page waits
// for with its progress and Cancel.
class WindowStatus final : public QStatusBar {
    Q_OBJECT

  public:
    explicit WindowStatus(QWidget* parent = nullptr);

    // `chosenPath`: the field file the job was chosen by; empty: no job.
    void showJob(const QString& chosenPath);
    void showConversion(const QDateTime& endedAt, std::size_t records, std::size_t warnings);
    // Another job: no conversion of it this session yet.
    void clearConversion();
    // `obsName`: the OBS file's name; empty takes the note away.
    void showEditsNotConverted(const QString& obsName);

    // A page's work on the job: the pass (empty until it names one), its
    // progress and Cancel, shown until endPass.
    void showPass(const QString& pass);
    void showPassProgress(int percent);
    void endPass();
    QPushButton& cancelPassButton() const { return *cancelPass_; }

    QString jobText() const;
    QString conversionText() const;
    QString editsText() const;

  private:
    QLabel* job_;
    QLabel* conversion_;
    QLabel* edits_;
    QLabel* pass_;
    QProgressBar* passProgress_;
    QPushButton* cancelPass_;
};

// "Converted at 09:14: 1234 records, 3 warnings"
QString conversionStatusText(const QDateTime& endedAt, std::size_t records, std::size_t warnings);
// "JOB.obs is older than the feature edits"
QString editsStatusText(const QString& obsName);

}  // namespace zendro
