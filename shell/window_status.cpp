#include "shell/window_status.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

namespace zendro {
namespace {

QString counted(std::size_t count, const char* one, const char* many) {
    return QStringLiteral("%1 %2").arg(count).arg(QString::fromLatin1(count == 1 ? one : many));
}

}  // namespace

WindowStatus::WindowStatus(QWidget* parent)
    : QStatusBar(parent),
      job_(new QLabel(this)),
      conversion_(new QLabel(this)),
      edits_(new QLabel(this)),
      pass_(new QLabel(this)),
      passProgress_(new QProgressBar(this)),
      cancelPass_(new QPushButton(tr("Cancel"), this)) {
    setObjectName(QStringLiteral("WindowStatus"));
    job_->setObjectName(QStringLiteral("StatusJob"));
    conversion_->setObjectName(QStringLiteral("StatusConversion"));
    edits_->setObjectName(QStringLiteral("StatusEdits"));
    job_->setToolTip(tr("The selected job"));
    conversion_->setToolTip(tr("When the job was last converted this session, and what it gave"));
    edits_->setToolTip(tr("Feature edits saved with Done reach the OBS file at the next Convert"));
    // The edits note matters most: it must not be pushed out by the others.
    edits_->setStyleSheet(QStringLiteral("QLabel { color: #b00000; }"));
    // The job's folder and the last conversion give way rather than widen the
    // window; the edits note keeps its room.
    job_->setMinimumWidth(1);
    conversion_->setMinimumWidth(1);
    addWidget(job_, 1);
    addWidget(conversion_);
    addPermanentWidget(edits_);
    pass_->setObjectName(QStringLiteral("StatusPass"));
    passProgress_->setObjectName(QStringLiteral("StatusPassProgress"));
    cancelPass_->setObjectName(QStringLiteral("CancelPass"));
    passProgress_->setRange(0, 100);
    passProgress_->setTextVisible(false);
    passProgress_->setMaximumWidth(80);
    // The pass's name gives way before the window would widen.
    pass_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    pass_->setMinimumWidth(40);
    cancelPass_->setToolTip(tr("Stop reading the job and go back to the page shown before (Esc)"));
    addPermanentWidget(pass_, 1);
    addPermanentWidget(passProgress_);
    addPermanentWidget(cancelPass_);
    for (QWidget* part : std::initializer_list<QWidget*>{pass_, passProgress_, cancelPass_}) {
        part->hide();
    }
    showJob({});
}

void WindowStatus::showPass(const QString& pass) {
    pass_->setText(pass);
    // In the place of the job and the conversion, so the window keeps its width.
    job_->hide();
    conversion_->hide();
    for (QWidget* part : std::initializer_list<QWidget*>{pass_, passProgress_, cancelPass_}) {
        part->show();
    }
}

void WindowStatus::showPassProgress(int percent) { passProgress_->setValue(percent); }

void WindowStatus::endPass() {
    for (QWidget* part : std::initializer_list<QWidget*>{pass_, passProgress_, cancelPass_}) {
        part->hide();
    }
    pass_->clear();
    passProgress_->setValue(0);
    job_->show();
    conversion_->show();
}

void WindowStatus::showJob(const QString& chosenPath) {
    if (chosenPath.isEmpty()) {
        job_->setText(tr("No job selected"));
        return;
    }
    const QFileInfo chosen(chosenPath);
    job_->setText(tr("Job: %1 in %2")
                      .arg(chosen.fileName(), QDir::toNativeSeparators(chosen.absolutePath())));
    // Whole, where a narrow window cuts the line short.
    job_->setToolTip(tr("The selected job: %1").arg(QDir::toNativeSeparators(chosenPath)));
}

void WindowStatus::showConversion(const QDateTime& endedAt, std::size_t records,
                                  std::size_t warnings) {
    conversion_->setText(conversionStatusText(endedAt, records, warnings));
}

void WindowStatus::clearConversion() { conversion_->clear(); }

void WindowStatus::showEditsNotConverted(const QString& obsName) {
    edits_->setText(obsName.isEmpty() ? QString() : editsStatusText(obsName));
}

QString WindowStatus::jobText() const { return job_->text(); }
QString WindowStatus::conversionText() const { return conversion_->text(); }
QString WindowStatus::editsText() const { return edits_->text(); }

QString conversionStatusText(const QDateTime& endedAt, std::size_t records, std::size_t warnings) {
    return QStringLiteral("Converted at %1: %2, %3")
        .arg(endedAt.toString(QStringLiteral("HH:mm")), counted(records, "record", "records"),
             counted(warnings, "warning", "warnings"));
}

QString editsStatusText(const QString& obsName) {
    return QStringLiteral("%1 is older than the feature edits").arg(obsName);
}

}  // namespace zendro
