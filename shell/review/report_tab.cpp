#include "shell/review/report_tab.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "shell/review/review_widgets.h"

namespace zendro {

ReportTab::ReportTab(QWidget* parent) : QWidget(parent) {
    instrument_ = textField(this, "ReportInstrument", tr("a blank to fill in"),
                            tr("The instrument the job report's title block names: make, model, "
                               "serial number"));
    crew_ = textField(this, "ReportCrew", tr("a blank to fill in"),
                      tr("The crew the job report's title block names"));
    auto* note = new QLabel(tr("The job report (Export Report...) names them in its title "
                               "block, above the lines the checker signs."),
                            this);
    note->setWordWrap(true);
    auto* form = new QFormLayout;
    form->addRow(tr("Instrument"), instrument_);
    form->addRow(tr("Crew"), crew_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(note);
    layout->addStretch(1);
}

QString ReportTab::instrument() const { return instrument_->text(); }

QString ReportTab::crew() const { return crew_->text(); }

void ReportTab::setFields(const QString& instrument, const QString& crew) {
    instrument_->setText(instrument);
    crew_->setText(crew);
}

std::string ReportTab::instrumentText() const {
    return instrument_->text().toLocal8Bit().toStdString();
}

std::string ReportTab::crewText() const { return crew_->text().toLocal8Bit().toStdString(); }

}  // namespace zendro
