// The board's pictures as plain data: exact twips, visibility, z-order and riders of
// every member of the six picture arrays. The board model works on it through
// CardSurface; the board window paints it and is told what changed. Members are never
// destroyed, only unloaded, so a picture named by a running handler stays valid.
#pragma once

#include <QRectF>
#include <array>
#include <vector>

#include "engine/CardSurface.h"

// Told by the display list what it must show again and when to yield; the board window
// is the one observer in the program, tests may install their own.
class DisplayListObserver {
public:
    virtual ~DisplayListObserver() = default;
    // An area of the board in twips whose pixels may have changed.
    virtual void areaChanged(const QRectF &twips) = 0;
    virtual void processEvents() = 0;
    virtual void animationStep(double frames) = 0;
};

class DisplayList : public CardSurface {
public:
    // Highest index a picture array accepts.
    static constexpr int MaxIndex = 1023;

    DisplayList();

    void load(PicRef pic) override;
    void unload(PicRef pic) override;
    bool isLoaded(PicRef pic) const override;
    int upperBound(PicArray array) const override;

    void setPicture(PicRef pic, CardPicture picture) override;
    CardPicture picture(PicRef pic) const override;

    void move(PicRef pic, double left, double top) override;
    void resize(PicRef pic, double width, double height) override;
    double left(PicRef pic) const override;
    double top(PicRef pic) const override;
    double width(PicRef pic) const override;
    double height(PicRef pic) const override;

    void setVisible(PicRef pic, bool visible) override;
    bool isVisible(PicRef pic) const override;

    void bringToFront(PicRef pic) override;
    void sendToBack(PicRef pic) override;

    void putInside(PicRef rider, PicRef carrier) override;
    void putOnBoard(PicRef rider) override;
    std::optional<PicRef> carrierOf(PicRef pic) const override;

    // Without an observer these only count their calls.
    void processEvents() override;
    void animationStep(double frames) override;

    // --- Queries for the window and for tests ---

    // The riders of a carrier, bottom to top.
    std::vector<PicRef> riders(PicRef carrier) const;
    // Where the picture lies on the board in twips (riders: carrier's place added).
    // Also answers for an unloaded member, with the place it had.
    QRectF absoluteRect(PicRef pic) const;
    // Loaded, visible and, for a rider, every carrier visible.
    bool isShown(PicRef pic) const;

    // Every loaded picture in drawing order, bottom to top: slots, then cards, each
    // rider right after its carrier (and its own riders). Hidden pictures are included.
    std::vector<PicRef> zOrder() const;
    // True when a is drawn after b (both loaded).
    bool isAbove(PicRef a, PicRef b) const;

    // The topmost shown picture containing the point (twips); a rider is hit only where
    // it is seen, inside its carrier. Left and top edges belong to a picture, right and
    // bottom edges do not.
    std::optional<PicRef> hitTest(double x, double y) const;

    // One shown picture as the window draws it.
    struct Item {
        PicRef pic;
        CardPicture picture;
        QRectF rect; // absolute twips
        QRectF clip; // the part that is seen: rect within every carrier
    };
    // The shown pictures in drawing order; `out` is cleared first.
    void shownItems(std::vector<Item> &out) const;

    void setObserver(DisplayListObserver *observer) { observer_ = observer; }
    DisplayListObserver *observer() const { return observer_; }
    int processEventsCount() const { return processEventsCount_; }
    int animationStepCount() const { return animationStepCount_; }
    // The display frames all animation steps so far have waited out together.
    double animationFrames() const { return animationFrames_; }

private:
    struct Entry {
        bool loaded = false;
        bool visible = false;
        double left = 0;
        double top = 0;
        double width = CardWidthTwips;
        double height = CardHeightTwips;
        CardPicture picture;
        std::optional<PicRef> carrier;
        std::vector<PicRef> riders; // bottom to top
    };

    static void checkRef(PicRef pic);
    Entry &entry(PicRef pic);
    const Entry &entry(PicRef pic) const;
    const Entry *find(PicRef pic) const;
    std::vector<PicRef> &layerOf(PicArray array);
    // The list that holds the picture's z-order: its carrier's riders or its layer.
    std::vector<PicRef> &siblingsOf(PicRef pic);
    bool contains(PicRef carrier, PicRef pic) const;
    std::optional<QRectF> seenRect(PicRef pic) const;
    void changed(const std::optional<QRectF> &area);
    void changed(const std::optional<QRectF> &before, const std::optional<QRectF> &after);
    void appendItems(PicRef pic, const QRectF &clip, bool shown, std::vector<Item> *items,
                     std::vector<PicRef> *order) const;
    void takeOut(PicRef rider);

    std::array<std::vector<Entry>, 6> arrays_;
    std::vector<PicRef> slotLayer_; // bottom to top, pictures on the board only
    std::vector<PicRef> cardLayer_;
    DisplayListObserver *observer_ = nullptr;
    int processEventsCount_ = 0;
    int animationStepCount_ = 0;
    double animationFrames_ = 0;
};
