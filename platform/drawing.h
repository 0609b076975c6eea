#pragma once

#include <QImage>

class QPainter;

namespace flurb::platform {

class Window;

// Paints the client area from the controls' properties: the background, the windowless controls
// from back to front, then the controls with windows of their own; nothing outside the client
// area.
void drawWindow(QPainter& painter, const Window& window);

// The client area as drawWindow paints it.
QImage renderWindow(const Window& window);

}  // namespace flurb::platform
