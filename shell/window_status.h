#pragma once

#include <QDateTime>
#include <QStatusBar>
#include <QString>
#include <cstddef>

class QLabel;

namespace zendro {

// The window's status bar: the selected job, the last conversion, and the
// note that JOB.obs lacks the feature edits saved since.
class WindowStatus final : public QStatusBar {
    Q_OBJECT

  public:
    explicit WindowStatus(QWidget* parent = nullptr);

    // `chosenPath`: the field file the job was chosen by; empty: no job.
    void showJob(const QString& chosenPath);
    void showConversion(const QDateTime& endedAt, std::size_t records, std::size_t warnings);
    // `obsName`: the OBS file's name; empty takes the note away.
    void showEditsNotConverted(const QString& obsName);

    QString jobText() const;
    QString conversionText() const;
    QString editsText() const;

  private:
    QLabel* job_;
    QLabel* conversion_;
    QLabel* edits_;
};

// "Converted at 09:14: 1234 records, 3 warnings"
QString conversionStatusText(const QDateTime& endedAt, std::size_t records, std::size_t warnings);
// "JOB.obs is older than the feature edits"
QString editsStatusText(const QString& obsName);

}  // namespace zendro
