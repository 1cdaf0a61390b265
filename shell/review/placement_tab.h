#pragma once

#include <QWidget>

#include "shell/review/placement_choices.h"

class QGroupBox;
class QLineEdit;

namespace zendro {

// The Review page's "Control" tab: the control file, a start by hand and the
// coordinate system, as typed. The page reads them into a placement when the
// crew applies them.
class PlacementTab final : public QWidget {
    Q_OBJECT
  public:
    explicit PlacementTab(QWidget* parent = nullptr);

    PlacementChoices choices() const;
    void show(const PlacementChoices& choices);
    QString controlPath() const;
    void setControlPath(const QString& path);

  signals:
    void chooseControlRequested();
    void applyRequested();

  private:
    QLineEdit* controlFile_ = nullptr;
    QGroupBox* start_ = nullptr;
    QLineEdit* startNorth_ = nullptr;
    QLineEdit* startEast_ = nullptr;
    QLineEdit* startElevation_ = nullptr;
    QLineEdit* startAzimuth_ = nullptr;
    QLineEdit* system_ = nullptr;
};

}  // namespace zendro
