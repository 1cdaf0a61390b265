#pragma once

#include <QString>
#include <QWidget>
#include <string>

class QLineEdit;

namespace zendro {

// The Review page's "Report" tab: the instrument and the crew the job
// report's title block names above the checker's sign-off, as the command
// line's --report-instrument and --report-crew give them. The window keeps
// them between sessions.
class ReportTab final : public QWidget {
    Q_OBJECT
  public:
    explicit ReportTab(QWidget* parent = nullptr);

    QString instrument() const;
    QString crew() const;
    void setFields(const QString& instrument, const QString& crew);

    // The texts as the report takes them: the bytes a terminal would give the
    // command line's flags for the same words.
    std::string instrumentText() const;
    std::string crewText() const;

  private:
    QLineEdit* instrument_ = nullptr;
    QLineEdit* crew_ = nullptr;
};

}  // namespace zendro
