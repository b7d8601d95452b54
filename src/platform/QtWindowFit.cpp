#include "platform/QtWindowFit.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QLayout>
#include <QScopeGuard>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace {

QRect screenArea(const QWidget &window)
{
    const QWidget *parent = window.parentWidget();
    const QScreen *screen = parent ? parent->screen() : window.screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

// A start within [low, high], or low when the length does not fit.
int clampStart(int start, int low, int high)
{
    return std::max(low, std::min(start, high));
}

// Sends every top-level window and dialog through placeWithin as it shows; popups,
// tooltips and the like keep their own places.
class WindowCap : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && !event->spontaneous() && watched->isWidgetType()) {
            auto *widget = static_cast<QWidget *>(watched);
            const Qt::WindowType type = widget->windowType();
            if (widget->isWindow() && (type == Qt::Window || type == Qt::Dialog))
                QtWindowFit::placeWithin(*widget);
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

namespace QtWindowFit {

QRect usableArea(const QWidget &window)
{
    const QRect area = screenArea(window);
    if (area.isEmpty())
        return {};
    return area.adjusted(0, 0, -FrameWidth, -FrameHeight);
}

void resizeWithin(QWidget &window, QSize wanted)
{
    const QRect area = usableArea(window);
    if (!area.isEmpty())
        wanted = wanted.boundedTo(area.size());
    window.resize(wanted);
}

bool titleFits(const QWidget &window, const QString &caption)
{
    QFont font = window.font();
    font.setBold(true);
    // A window not shown yet is as wide as its layout asks.
    const int width = window.isVisible() ? window.width() : std::max(window.minimumWidth(), window.sizeHint().width());
    return QFontMetrics(font).horizontalAdvance(caption) + TitleButtonsWidth <= width;
}

QString fittingTitle(const QWidget &window, const QStringList &captions)
{
    for (const QString &caption : captions) {
        if (titleFits(window, caption))
            return caption;
    }
    return captions.isEmpty() ? QString() : captions.last();
}

void fitMinimum(QWidget &window, QSize keep)
{
    QLayout *layout = window.layout();
    const QRect area = usableArea(window);
    if (layout == nullptr || area.isEmpty())
        return;
    const QList<QAbstractItemView *> views = window.findChildren<QAbstractItemView *>();
    // Each round takes the excess from every list that can give; lists on pages not shown
    // and lists side by side each give the whole excess, so rounds repeat until it is gone.
    // Activating the layout may grow a shown window to the minimum it is about to lose: it
    // gets the size to keep back once the layouts have taken in the lists' new heights.
    const auto restore = qScopeGuard([&window, keep] {
        if (window.isVisible() && keep.isValid() && window.size() != keep) {
            QWidget *target = &window;
            QMetaObject::invokeMethod(
                target, [target, keep] { target->resize(keep.expandedTo(target->minimumSize())); },
                Qt::QueuedConnection);
        }
    });
    for (int round = 0; round < 8; ++round) {
        layout->activate();
        const int excess = layout->totalMinimumSize().height() - area.height();
        if (excess <= 0)
            return;
        bool gave = false;
        for (QAbstractItemView *view : views) {
            if (view->inherits("QHeaderView") || view->window() != &window)
                continue;
            const int floor = 3 * view->fontMetrics().height() + 2 * view->frameWidth();
            const int spare = view->minimumHeight() - floor;
            if (spare <= 0)
                continue;
            view->setMinimumHeight(view->minimumHeight() - std::min(spare, excess));
            gave = true;
        }
        if (!gave)
            return;
        // The layouts between the lists and the window learn of it at once, not later.
        for (int depth = 0; depth < 8; ++depth)
            QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        layout->invalidate();
    }
}

void placeWithin(QWidget &window)
{
    fitMinimum(window);
    const QRect area = screenArea(window);
    if (area.isEmpty() || window.isMaximized() || window.isFullScreen())
        return;
    const QSize room = area.size() - QSize(FrameWidth, FrameHeight);
    const QSize size = window.size().boundedTo(room).expandedTo(window.minimumSize());
    if (size != window.size())
        window.resize(size);
    const QWidget *parent = window.parentWidget() ? window.parentWidget()->window() : nullptr;
    QPoint at = window.pos();
    if (!window.testAttribute(Qt::WA_Moved)) {
        if (parent == nullptr)
            return;
        // The frame is centred over the parent's frame.
        const QSize outer = size + QSize(FrameWidth, FrameHeight);
        at = parent->frameGeometry().center() - QPoint(outer.width() / 2, outer.height() / 2);
    }
    // The frame's top left corner: the title bar comes first, the whole frame inside the area.
    at.setX(clampStart(at.x(), area.left(), area.left() + room.width() - size.width()));
    at.setY(clampStart(at.y(), area.top(), area.top() + room.height() - size.height()));
    if (at != window.pos() || !window.testAttribute(Qt::WA_Moved))
        window.move(at);
}

void capEveryWindow(QApplication &app)
{
    app.installEventFilter(new WindowCap(&app));
}

} // namespace QtWindowFit
