#pragma once

#include <QWidget>

#include "levels/level_profile.h"

namespace zendro {

// A levelling line's profile: its heights along the line, benchmarks marked
// with a triangle, intermediate sights as dots, and every setup with a
// finding over its limit drawn in red.
class LevelProfileWidget final : public QWidget {
    Q_OBJECT
  public:
    explicit LevelProfileWidget(QWidget* parent = nullptr);

    void setProfile(levels::LineProfile profile);
    const levels::LineProfile& profile() const { return profile_; }

    QSize sizeHint() const override { return {480, 200}; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    levels::LineProfile profile_;
};

}  // namespace zendro
