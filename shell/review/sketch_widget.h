#pragma once

#include <QPoint>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "review/sketch_model.h"
#include "review_view/sketch_renderer.h"
#include "review_view/sketch_view.h"

namespace zendro {

// The job sketch on screen: wheel zoom about the pointer, drag to pan, fit to
// the window (the job clear of the legend and title block), a tooltip per
// point, a double-click that names the point, and a ring on the point a
// finding or a residual chose. It takes the keyboard's focus (Tab, a click)
// and shows it with a frame; + - and 0 zoom and fit.
class SketchWidget final : public QWidget {
    Q_OBJECT
  public:
    explicit SketchWidget(QWidget* parent = nullptr);

    void setModel(review::SketchModel model);
    const review::SketchModel& model() const { return model_; }
    const review::SketchView& view() const { return view_; }

    void fitToWindow();
    // Puts the point at the centre, zooming in when the whole job is in view.
    void centreOn(std::size_t pointIndex);
    // Rings the point `number` (none: no ring) until another is marked; a
    // point the sketch does not show is not marked.
    void markPoint(std::optional<std::int64_t> number);
    std::optional<std::int64_t> markedPoint() const { return marked_; }
    // Shows these points as large as the window allows (one point: centred
    // as centreOn does).
    void zoomTo(const std::vector<std::size_t>& pointIndices);
    // `+` and `-` zoom about the centre by this factor; `0` fits the job.
    static constexpr double kKeyZoom = 1.5;
    // The tooltip of a point: name, description, comment, position, records.
    QString tooltipText(std::size_t pointIndex) const;
    // The point drawn under `position`, or -1.
    std::ptrdiff_t pointAt(QPoint position) const;

  signals:
    void pointDoubleClicked(std::size_t pointIndex);

  protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    review::SketchModel model_;
    std::unique_ptr<review::SketchRenderer> renderer_;
    review::SketchView view_;
    std::optional<std::int64_t> marked_;
    bool fitted_ = true;  // follows the window's size until the user zooms or pans
    bool dragging_ = false;
    QPoint lastDrag_;
};

}  // namespace zendro
