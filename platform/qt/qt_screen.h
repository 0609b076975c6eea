#pragma once

#include <QPoint>

#include "platform/screen.h"

namespace flurb::platform::qt {

// The window draws every device pixel itself, so Qt must not scale its drawing by the desktop's
// resolution (at Xft.dpi 192 Qt would double every pixel, pictures included). Call before the
// application object exists; a QT_ENABLE_HIGHDPI_SCALING the user set stands, and the window
// copes with whatever device pixel ratio remains (QT_SCALE_FACTOR, a Wayland desktop's scale).
void leaveScalingToTheWindow();

// Twips per device pixel on the primary screen, from its real resolution: Qt's logical dots per
// inch times its device pixel ratio, whatever sets them (Xft.dpi, the desktop's scale,
// QT_SCALE_FACTOR).
double screenTwipsPerPixel();

// The primary screen in twips: its device pixels times the twips per pixel.
ScreenArea primaryScreenArea();

// Qt's coordinates for a point of the desktop in device pixels: each screen keeps its corner
// where it stands and scales from there.
QPoint toQtCoordinates(QPoint devicePoint);

}  // namespace flurb::platform::qt
