// Keeps a top-level window inside the screen it opens on: a window asks for the size it
// would like, and gets no more than the screen's available area leaves once the desktop's
// title bar and frame are counted.
#pragma once

#include <QRect>
#include <QSize>

class QWidget;

namespace QtWindowFit {

// Room the desktop's title bar and frame take around a window.
inline constexpr int FrameWidth = 16;
inline constexpr int FrameHeight = 48;

// The area a window opening now may take: the available area of its parent's screen
// (else the primary screen) less the room for the frame.
QRect usableArea(const QWidget &window);

// Resizes the window to the wanted size, made no larger than the usable area.
void resizeWithin(QWidget &window, QSize wanted);

} // namespace QtWindowFit
