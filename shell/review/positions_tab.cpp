#include "shell/review/positions_tab.h"

#include <QComboBox>
#include <QListWidget>
#include <QSignalBlocker>
#include <QStandardItemModel>
#include <QVBoxLayout>

namespace zendro {

using coordinates::PositionFrame;

PositionsTab::PositionsTab(QWidget* parent) : QWidget(parent) {
    frame_ = new QComboBox(this);
    frame_->setObjectName(QStringLiteral("PositionsFrame"));
    frame_->setToolTip(tr("Which positions are listed, drawn and exported"));
    frame_->addItem(tr("Local"), static_cast<int>(PositionFrame::Local));
    frame_->addItem(tr("Tied to control"), static_cast<int>(PositionFrame::TiedToControl));
    frame_->addItem(tr("Adjusted"), static_cast<int>(PositionFrame::Adjusted));
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("ReviewPositions"));
    list_->setToolTip(tr("Every point's position in the frame chosen above"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame_);
    layout->addWidget(list_, 1);
    connect(frame_, &QComboBox::currentIndexChanged, this, &PositionsTab::frameChosen);
}

PositionFrame PositionsTab::chosenFrame() const {
    return static_cast<PositionFrame>(frame_->currentData().toInt());
}

void PositionsTab::offer(bool tied, bool adjusted) {
    auto* frames = qobject_cast<QStandardItemModel*>(frame_->model());
    frames->item(1)->setEnabled(tied);
    frames->item(2)->setEnabled(adjusted);
    if ((!tied && frame_->currentIndex() == 1) || (!adjusted && frame_->currentIndex() == 2))
        frame_->setCurrentIndex(0);
}

void PositionsTab::choose(PositionFrame frame) {
    const QSignalBlocker quiet(frame_);
    frame_->setCurrentIndex(frame_->findData(static_cast<int>(frame)));
}

void PositionsTab::reset() {
    choose(PositionFrame::Local);
    offer(false, false);
    list_->clear();
}

void PositionsTab::list(const coordinates::JobPositions& positions) {
    list_->clear();
    for (const coordinates::PointPosition& p : positions.points) {
        QString line = QStringLiteral("%1  N %2  E %3  Z %4")
                           .arg(p.number)
                           .arg(p.north, 0, 'f', 3)
                           .arg(p.east, 0, 'f', 3)
                           .arg(p.elevation, 0, 'f', 3);
        if (p.precision)
            line += QStringLiteral("  sN %1  sE %2  sZ %3")
                        .arg(p.precision->sigmaNorth, 0, 'f', 3)
                        .arg(p.precision->sigmaEast, 0, 'f', 3)
                        .arg(p.precision->sigmaElevation, 0, 'f', 3);
        list_->addItem(line);
    }
}

void PositionsTab::clear() { list_->clear(); }

}  // namespace zendro
