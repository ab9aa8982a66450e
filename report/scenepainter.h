#pragma once

#include "present/scene.h"

#include <QFont>
#include <QRectF>

class QPaintDevice;
class QPainter;

namespace report {

// The font a label of that size is drawn in: the base font at whole pixels.
QFont sceneFont(const QFont& base, double size);

// How wide texts come out on the device in the base font, for a scene
// that is painted there at its own size.
present::TextWidth textWidthOn(const QFont& base, QPaintDevice* device);

// The scene in stacking order, its box filling area; texts in the
// painter's font at their sizes. The painter is left as it was.
void paintScene(QPainter& painter, const QRectF& area, const present::Scene& scene);

}  // namespace report
