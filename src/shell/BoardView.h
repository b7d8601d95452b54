// The board window's play area: paints the display list (table background, slots,
// cards in z-order, riders after their carrier) at 15 twips per logical pixel, crisp at
// any device pixel ratio, and turns pointer events into the card handlers. The picture
// pressed keeps every move and release until the buttons are up or the capture is lost.
#pragma once

#include <QColor>
#include <QHash>
#include <QImage>
#include <QPixmap>
#include <QRegion>
#include <QWidget>
#include <chrono>
#include <functional>
#include <optional>
#include <vector>

#include "engine/DisplayList.h"

class ArtLibrary;

// Where the board window takes the pixels of a picture handle.
class CardImages {
public:
    virtual ~CardImages() = default;
    // The picture at the given device pixel ratio; a null image draws nothing.
    virtual QImage image(const CardPicture &picture, qreal ratio) = 0;
};

// Card faces, backs and slot pictures from the picture component.
class ArtCardImages : public CardImages {
public:
    explicit ArtCardImages(ArtLibrary &art) : art_(art) {}
    QImage image(const CardPicture &picture, qreal ratio) override;

private:
    ArtLibrary &art_;
};

// The handlers the board window calls. Pointer positions are twips from the top left
// corner of the picture the pointer was pressed on, where that picture is now. Each
// handler is an entry point of the program and must not let an error escape.
struct BoardHandlers {
    std::function<void(PicRef, Qt::MouseButton, Qt::KeyboardModifiers, double x, double y)> press;
    // buttons: the buttons held during the move.
    std::function<void(PicRef, Qt::MouseButtons, Qt::KeyboardModifiers, double x, double y)> move;
    std::function<void(PicRef, Qt::MouseButton, Qt::KeyboardModifiers, double x, double y)> release;
    // The second press of a left double-click on the same card; it is no press, and its
    // release is not reported.
    std::function<void(PicRef)> doubleClick;
    // Left button pressed and released on the stock slot.
    std::function<void()> stockClick;
    // The press on this picture ended without a release reaching the board (the window
    // lost activation, was hidden or disabled, another grab took the pointer).
    std::function<void(PicRef)> captureLost;
};

class BoardView : public QWidget, private DisplayListObserver {
    Q_OBJECT

public:
    static constexpr double TwipsPerPixel = 15.0;

    BoardView(DisplayList &list, CardImages &images, QWidget *parent = nullptr);
    ~BoardView() override;

    void setHandlers(BoardHandlers handlers) { handlers_ = std::move(handlers); }

    // Table background: a fill colour, a picture drawn from the top left corner over it,
    // or a painter that draws the whole background itself (it wins over the others).
    void setBackgroundColor(const QColor &color);
    void setBackgroundImage(const QImage &image);
    using BackgroundPainter = std::function<void(QPainter &painter, const QRect &logicalArea)>;
    void setBackgroundPainter(BackgroundPainter painter);

    // Time each animation step is shown; zero does not wait at all.
    void setFramePacing(std::chrono::milliseconds pacing) { pacing_ = pacing; }
    std::chrono::milliseconds framePacing() const { return pacing_; }
    // While set, the events handled between the moves of an animation include the user's
    // input, above all a window manager's close, which the window then deals with at
    // once; otherwise input waits until the animation is over.
    void setInputDuringAnimation(bool on) { inputDuringAnimation_ = on; }

    // Drops the cached pixmaps, e.g. after the face deck or a back design changed.
    void clearPictureCache();

    // Paints the part of the board within the logical area onto any paint device, at the
    // device's pixel ratio.
    void paintBoard(QPainter &painter, const QRect &logicalArea);

    // Logical pixels covering an area given in twips.
    static QRect toPixels(const QRectF &twips);
    // The area changed since it was last painted, in logical pixels.
    QRegion pendingRegion() const { return pending_; }
    void clearPendingRegion() { pending_ = QRegion(); }

    // The picture that holds the pointer capture, if a press is going on.
    std::optional<PicRef> capturedPicture() const { return captured_; }

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void areaChanged(const QRectF &twips) override;
    void processEvents() override;
    void animationStep(double frames) override;

    const QPixmap &pixmapFor(const CardPicture &picture, qreal ratio);
    void paintBackground(QPainter &painter, const QRect &area);
    void press(QMouseEvent *event);
    void loseCapture();
    void flushCaptureLost();
    // Runs a handler; a capture lost meanwhile is reported when the outermost returns.
    void dispatch(const std::function<void()> &call);
    QPointF relativeTwips(PicRef pic, const QPointF &logical) const;

    DisplayList &list_;
    CardImages &images_;
    BoardHandlers handlers_;

    QColor backgroundColor_ = QColor(0, 128, 64);
    QPixmap backgroundPixmap_;
    BackgroundPainter backgroundPainter_;

    QHash<quint64, QPixmap> pixmaps_;
    std::vector<DisplayList::Item> items_;
    QRegion pending_;
    std::chrono::milliseconds pacing_{16};
    bool inputDuringAnimation_ = false;

    std::optional<PicRef> captured_;
    std::optional<PicRef> lastPressed_; // for telling a double-click on the same picture
    std::optional<PicRef> lostPending_;
    int dispatchDepth_ = 0;
};
