#include "platform/QtWindowFit.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace QtWindowFit {

QRect usableArea(const QWidget &window)
{
    const QWidget *parent = window.parentWidget();
    const QScreen *screen = parent ? parent->screen() : window.screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return {};
    const QRect area = screen->availableGeometry();
    return area.adjusted(0, 0, -FrameWidth, -FrameHeight);
}

void resizeWithin(QWidget &window, QSize wanted)
{
    const QRect area = usableArea(window);
    if (!area.isEmpty())
        wanted = wanted.boundedTo(area.size());
    window.resize(wanted);
}

} // namespace QtWindowFit
