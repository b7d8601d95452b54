#include "shell/BoardView.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFocusEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <cmath>
#include <thread>

#include "platform/ArtLibrary.h"

namespace {

// A twips value as a logical coordinate that falls on a device pixel, so pixmaps
// made at the device ratio are copied 1:1 and stay crisp.
double snap(double twips, qreal ratio)
{
    return std::floor(twips / BoardView::TwipsPerPixel * ratio + 0.5) / ratio;
}

QRectF snapRect(const QRectF &twips, qreal ratio)
{
    const double l = snap(twips.left(), ratio);
    const double t = snap(twips.top(), ratio);
    return {l, t, snap(twips.left() + twips.width(), ratio) - l, snap(twips.top() + twips.height(), ratio) - t};
}

quint64 pixmapKey(const CardPicture &picture, qreal ratio)
{
    return (quint64(picture.kind) << 56) | (quint64(quint32(picture.n)) << 24) |
           (quint64(std::lround(ratio * 100.0)) & 0xffffffu);
}

// Copies the part of the pixmap (placed with its top left at origin) that falls in target.
void drawPart(QPainter &painter, const QPointF &origin, const QPixmap &pixmap, const QRectF &within)
{
    const QRectF target = QRectF(origin, pixmap.deviceIndependentSize()).intersected(within);
    if (target.isEmpty())
        return;
    const qreal r = pixmap.devicePixelRatio();
    painter.drawPixmap(target, pixmap, QRectF((target.topLeft() - origin) * r, target.size() * r));
}

} // namespace

QImage ArtCardImages::image(const CardPicture &picture, qreal ratio)
{
    if (picture.kind == CardPicture::Kind::None)
        return {};
    if (art_.devicePixelRatio() != ratio)
        art_.setDevicePixelRatio(ratio);
    switch (picture.kind) {
    case CardPicture::Kind::Face: return art_.FacePicture(picture.n);
    case CardPicture::Kind::Back: return art_.DeckPicture(picture.n);
    case CardPicture::Kind::Slot: return art_.SlotPicture(picture.n);
    case CardPicture::Kind::None: break;
    }
    return {};
}

BoardView::BoardView(DisplayList &list, CardImages &images, QWidget *parent)
    : QWidget(parent), list_(list), images_(images)
{
    // The background is painted under every changed area, so Qt need not erase it.
    setAttribute(Qt::WA_OpaquePaintEvent);
    list_.setObserver(this);
}

BoardView::~BoardView()
{
    if (list_.observer() == this)
        list_.setObserver(nullptr);
}

void BoardView::setBackgroundColor(const QColor &color)
{
    backgroundColor_ = color;
    update();
}

void BoardView::setBackgroundImage(const QImage &image)
{
    backgroundPixmap_ = image.isNull() ? QPixmap() : QPixmap::fromImage(image);
    update();
}

void BoardView::setBackgroundPainter(BackgroundPainter painter)
{
    backgroundPainter_ = std::move(painter);
    update();
}

void BoardView::clearPictureCache()
{
    pixmaps_.clear();
    update();
}

QRect BoardView::toPixels(const QRectF &twips)
{
    // One pixel more on each side covers the snapping of edges to device pixels.
    const int l = int(std::floor(twips.left() / TwipsPerPixel)) - 1;
    const int t = int(std::floor(twips.top() / TwipsPerPixel)) - 1;
    const int r = int(std::ceil((twips.left() + twips.width()) / TwipsPerPixel)) + 1;
    const int b = int(std::ceil((twips.top() + twips.height()) / TwipsPerPixel)) + 1;
    return {l, t, r - l, b - t};
}

void BoardView::areaChanged(const QRectF &twips)
{
    const QRect area = toPixels(twips);
    pending_ += area;
    update(area);
}

void BoardView::processEvents()
{
    QCoreApplication::processEvents(inputDuringAnimation_ ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
}

void BoardView::animationStep(double frames)
{
    if (!isVisible())
        return;
    QElapsedTimer clock;
    clock.start();
    if (!pending_.isEmpty())
        repaint(pending_);
    // A plain wait: an animation step lets no event in.
    const auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(pacing_ * frames);
    const auto left = wait - std::chrono::milliseconds(clock.elapsed());
    if (left.count() > 0)
        std::this_thread::sleep_for(left);
}

const QPixmap &BoardView::pixmapFor(const CardPicture &picture, qreal ratio)
{
    const quint64 key = pixmapKey(picture, ratio);
    auto it = pixmaps_.find(key);
    if (it == pixmaps_.end()) {
        const QImage image = images_.image(picture, ratio);
        it = pixmaps_.insert(key, image.isNull() ? QPixmap() : QPixmap::fromImage(image));
    }
    return it.value();
}

void BoardView::paintBackground(QPainter &painter, const QRect &area)
{
    if (backgroundPainter_) {
        backgroundPainter_(painter, area);
        return;
    }
    const QRectF within(area);
    if (backgroundPixmap_.isNull() ||
        !QRectF(QPointF(0, 0), backgroundPixmap_.deviceIndependentSize()).contains(within))
        painter.fillRect(area, backgroundColor_);
    if (!backgroundPixmap_.isNull())
        drawPart(painter, QPointF(0, 0), backgroundPixmap_, within);
}

void BoardView::paintBoard(QPainter &painter, const QRect &logicalArea)
{
    if (logicalArea.isEmpty())
        return;
    const qreal ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    painter.save();
    painter.setClipRect(logicalArea, Qt::IntersectClip);
    paintBackground(painter, logicalArea);
    const QRectF area(logicalArea);
    list_.shownItems(items_);
    for (const auto &item : items_) {
        if (item.picture.kind == CardPicture::Kind::None)
            continue;
        const QRectF seen = snapRect(item.clip, ratio).intersected(area);
        if (seen.isEmpty())
            continue;
        const QPixmap &pixmap = pixmapFor(item.picture, ratio);
        if (pixmap.isNull())
            continue;
        // The picture is drawn at its own size from the corner; a picture grown to
        // carry riders shows them below it, a smaller one shows only its part.
        drawPart(painter, QPointF(snap(item.rect.left(), ratio), snap(item.rect.top(), ratio)), pixmap, seen);
    }
    painter.restore();
}

void BoardView::paintEvent(QPaintEvent *event)
{
    // Rectangle by rectangle: painting under a clip region of many bands is far slower.
    QPainter painter(this);
    for (const QRect &area : event->region())
        paintBoard(painter, area);
    pending_ -= event->region();
}

bool BoardView::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::WindowDeactivate:
    case QEvent::Hide:
    case QEvent::UngrabMouse: loseCapture(); break;
    case QEvent::EnabledChange:
        if (!isEnabled())
            loseCapture();
        break;
    case QEvent::FocusOut:
        if (static_cast<QFocusEvent *>(event)->reason() == Qt::PopupFocusReason)
            loseCapture();
        break;
    default: break;
    }
    return QWidget::event(event);
}

QPointF BoardView::relativeTwips(PicRef pic, const QPointF &logical) const
{
    return logical * TwipsPerPixel - list_.absoluteRect(pic).topLeft();
}

void BoardView::dispatch(const std::function<void()> &call)
{
    {
        struct Depth {
            int &depth;
            explicit Depth(int &d) : depth(d) { ++depth; }
            ~Depth() { --depth; }
        } depth(dispatchDepth_);
        call();
    }
    if (dispatchDepth_ == 0)
        flushCaptureLost();
}

void BoardView::loseCapture()
{
    if (!captured_)
        return;
    const PicRef pic = *captured_;
    captured_.reset();
    lostPending_ = pic;
    // Inside a handler (a yield let the event in) the report waits until it returns.
    if (dispatchDepth_ == 0)
        flushCaptureLost();
}

void BoardView::flushCaptureLost()
{
    if (!lostPending_)
        return;
    const PicRef pic = *lostPending_;
    lostPending_.reset();
    dispatch([&] {
        if (handlers_.captureLost)
            handlers_.captureLost(pic);
    });
}

void BoardView::press(QMouseEvent *event)
{
    flushCaptureLost();
    // Another press with no other button held: the release of the earlier press went
    // elsewhere (a popup, another window), so that press is over.
    if (captured_ && (event->buttons() & ~event->button()) == Qt::NoButton)
        loseCapture();
    if (!captured_) {
        const QPointF at = event->position() * TwipsPerPixel;
        lastPressed_ = list_.hitTest(at.x(), at.y());
        if (!lastPressed_)
            return;
        captured_ = lastPressed_;
    }
    const PicRef pic = *captured_;
    const QPointF at = relativeTwips(pic, event->position());
    const Qt::MouseButton button = event->button();
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    dispatch([&] {
        if (handlers_.press)
            handlers_.press(pic, button, modifiers, at.x(), at.y());
    });
}

void BoardView::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    press(event);
}

void BoardView::mouseDoubleClickEvent(QMouseEvent *event)
{
    // Qt sends no press for the second press of a double-click; unless it completes a
    // left double-click on one card it counts as an ordinary press.
    event->accept();
    flushCaptureLost();
    if (!captured_ && event->button() == Qt::LeftButton) {
        const QPointF at = event->position() * TwipsPerPixel;
        const auto hit = list_.hitTest(at.x(), at.y());
        if (hit && hit->array == PicArray::Card && hit == lastPressed_) {
            lastPressed_.reset();
            const PicRef pic = *hit;
            dispatch([&] {
                if (handlers_.doubleClick)
                    handlers_.doubleClick(pic);
            });
            return;
        }
    }
    press(event);
}

void BoardView::mouseMoveEvent(QMouseEvent *event)
{
    event->accept();
    flushCaptureLost();
    if (!captured_)
        return;
    if (event->buttons() == Qt::NoButton) {
        loseCapture();
        return;
    }
    const PicRef pic = *captured_;
    const QPointF at = relativeTwips(pic, event->position());
    const Qt::MouseButtons buttons = event->buttons();
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    dispatch([&] {
        if (handlers_.move)
            handlers_.move(pic, buttons, modifiers, at.x(), at.y());
    });
}

void BoardView::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    flushCaptureLost();
    if (!captured_)
        return;
    const PicRef pic = *captured_;
    // The capture ends before the handler runs, so whatever it lets in sees no press.
    if (event->buttons() == Qt::NoButton)
        captured_.reset();
    const QPointF twips = event->position() * TwipsPerPixel;
    const QRectF place = list_.absoluteRect(pic);
    const bool stockClick = pic.array == PicArray::Stock && event->button() == Qt::LeftButton && list_.isShown(pic) &&
                            twips.x() >= place.left() && twips.x() < place.right() && twips.y() >= place.top() &&
                            twips.y() < place.bottom();
    const QPointF at = twips - place.topLeft();
    const Qt::MouseButton button = event->button();
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    dispatch([&] {
        if (handlers_.release)
            handlers_.release(pic, button, modifiers, at.x(), at.y());
        if (stockClick && handlers_.stockClick)
            handlers_.stockClick();
    });
}
