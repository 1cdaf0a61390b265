#include "shell/review/placement_tab.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/review/review_widgets.h"

namespace zendro {

PlacementTab::PlacementTab(QWidget* parent) : QWidget(parent) {
    controlFile_ = textField(this, "ControlFile", tr("no control file"),
                             tr("The control file the job is tied to"));
    controlFile_->setReadOnly(true);
    QPushButton* chooseControl =
        button(this, "ReviewControl", tr("Control..."),
               tr("Choose a control file: name,N,E,Z[,fixed|free[,sigma_NE[,sigma_Z]]]"));
    auto* controlRow = new QHBoxLayout;
    controlRow->addWidget(controlFile_, 1);
    controlRow->addWidget(chooseControl);

    start_ = new QGroupBox(tr("Start by hand"), this);
    start_->setObjectName(QStringLiteral("StartByHand"));
    start_->setCheckable(true);
    start_->setChecked(false);
    startNorth_ = textField(start_, "StartNorth", tr("north"), tr("The first station's north"));
    startEast_ = textField(start_, "StartEast", tr("east"), tr("The first station's east"));
    startElevation_ =
        textField(start_, "StartElevation", tr("elevation"), tr("The first station's elevation"));
    startAzimuth_ = textField(start_, "StartAzimuth", tr("DDD.MMSS"),
                              tr("The first backsight's azimuth, as DDD.MMSS"));
    auto* startForm = new QFormLayout(start_);
    startForm->addRow(tr("N"), startNorth_);
    startForm->addRow(tr("E"), startEast_);
    startForm->addRow(tr("Z"), startElevation_);
    startForm->addRow(tr("Azimuth to first backsight"), startAzimuth_);

    // A placeholder that reads as a value would pass for a system in use.
    system_ = textField(this, "CoordinateSystem", tr("none (type EPSG:NNNN)"),
                        tr("The coordinate reference system, as EPSG:NNNN (EPSG:2227, say); its "
                           "unit must be the job's"));
    QPushButton* apply = button(this, "ReviewApplyPlacement", tr("Apply"),
                                tr("Tie the job to the control, the start or the system given here"));
    auto* form = new QFormLayout;
    form->addRow(tr("Control file"), controlRow);
    form->addRow(tr("Coordinate system"), system_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(start_);
    layout->addWidget(apply);
    layout->addStretch(1);

    connect(chooseControl, &QPushButton::clicked, this, &PlacementTab::chooseControlRequested);
    connect(apply, &QPushButton::clicked, this, &PlacementTab::applyRequested);
}

PlacementChoices PlacementTab::choices() const {
    PlacementChoices choices;
    choices.controlPath = fileText(controlFile_->text());
    choices.startByHand = start_->isChecked();
    choices.startNorth = fileText(startNorth_->text().trimmed());
    choices.startEast = fileText(startEast_->text().trimmed());
    choices.startElevation = fileText(startElevation_->text().trimmed());
    choices.startAzimuth = fileText(startAzimuth_->text().trimmed());
    choices.systemCode = fileText(system_->text().trimmed());
    return choices;
}

void PlacementTab::show(const PlacementChoices& choices) {
    controlFile_->setText(qtText(choices.controlPath));
    start_->setChecked(choices.startByHand);
    startNorth_->setText(qtText(choices.startNorth));
    startEast_->setText(qtText(choices.startEast));
    startElevation_->setText(qtText(choices.startElevation));
    startAzimuth_->setText(qtText(choices.startAzimuth));
    system_->setText(qtText(choices.systemCode));
}

QString PlacementTab::controlPath() const { return controlFile_->text(); }

void PlacementTab::setControlPath(const QString& path) { controlFile_->setText(path); }

}  // namespace zendro
