#pragma once

#include <QWidget>

#include "coordinates/job_positions.h"

class QComboBox;
class QListWidget;

namespace zendro {

// The Review page's "Positions" tab: which positions are listed, drawn and
// exported (local, tied to control, adjusted; those the job does not have
// yet cannot be chosen), and the list of them.
class PositionsTab final : public QWidget {
    Q_OBJECT
  public:
    explicit PositionsTab(QWidget* parent = nullptr);

    coordinates::PositionFrame chosenFrame() const;
    // Offers the frames the job has; a choice no longer offered goes back to
    // local (frameChosen follows).
    void offer(bool tied, bool adjusted);
    // Shows `frame` (one offered), as the crew would choose it, without
    // telling frameChosen: the page follows a new placement or adjustment so.
    void choose(coordinates::PositionFrame frame);
    // Another job: local, nothing listed.
    void reset();
    void list(const coordinates::JobPositions& positions);
    void clear();

  signals:
    void frameChosen();

  private:
    QComboBox* frame_ = nullptr;
    QListWidget* list_ = nullptr;
};

}  // namespace zendro
