#pragma once

#include <QColor>

namespace zendro::review {

// The colours of the marks the sketch draws and the legend explains: one
// place, so the legend always shows what the drawing uses.
inline const QColor kPointColour(20, 20, 20);
inline const QColor kStationColour(200, 30, 30);
inline const QColor kEllipseColour(120, 40, 160);

}  // namespace zendro::review
