// Keeps a top-level window inside the screen it opens on: a window asks for the size it
// would like, and gets no more than the screen's available area leaves once the desktop's
// title bar and frame are counted.
#pragma once

#include <QRect>
#include <QSize>
#include <QStringList>

class QApplication;
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

// Room the desktop's title bar takes beside a caption: the window's icon and its buttons.
inline constexpr int TitleButtonsWidth = 120;

// Whether the window's title bar shows the caption whole: the caption measured bold, as
// title bars tend to draw it, beside the icon and the buttons.
bool titleFits(const QWidget &window, const QString &caption);

// The first of the captions, longest first, that the window's title bar shows whole; the
// last when none does.
QString fittingTitle(const QWidget &window, const QStringList &captions);

// Lets the lists of a window scroll where the lines they ask to show whole would make the
// window taller than the usable area: their minimum heights give way (down to a few lines)
// until the window's layout fits, or nothing more can give. A shown window then takes the
// size to keep, as far as its minimum allows.
void fitMinimum(QWidget &window, QSize keep = {});

// Makes a window that is about to show no larger than the usable area (its lists giving
// way as fitMinimum does, never below its minimum size) and puts it where its frame, title bar included, lies on the
// screen: a window placed before keeps its place as far as the screen allows, a new one with a parent is centred over
// the parent.
void placeWithin(QWidget &window);

// Every window and dialog of the application passes through placeWithin when it shows.
void capEveryWindow(QApplication &app);

} // namespace QtWindowFit
