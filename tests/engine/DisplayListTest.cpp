// The display list as the board model uses it: loading and reuse, exact twips,
// z-order, riders inside a lifted card, hit-testing and what it tells its observer.
#include <gtest/gtest.h>

#include "core/AppError.h"
#include "engine/DisplayList.h"

namespace {

PicRef card(int i)
{
    return {PicArray::Card, i};
}

PicRef home(int i)
{
    return {PicArray::Home, i};
}

const PicRef stock{PicArray::Stock, 0};

int errorNumber(const std::function<void()> &call)
{
    try {
        call();
    } catch (const AppError &e) {
        return e.number();
    }
    return 0;
}

// Places a loaded card where it is seen.
void place(DisplayList &list, PicRef pic, double left, double top)
{
    if (!list.isLoaded(pic))
        list.load(pic);
    list.move(pic, left, top);
    list.setVisible(pic, true);
    list.bringToFront(pic);
}

struct Recorder : DisplayListObserver {
    void areaChanged(const QRectF &twips) override { areas.push_back(twips); }
    void processEvents() override { ++yields; }
    void animationStep(double) override { ++steps; }
    std::vector<QRectF> areas;
    int yields = 0;
    int steps = 0;
};

} // namespace

TEST(DisplayList, FirstMemberOfEveryArrayExistsHiddenAtCardSize)
{
    DisplayList list;
    for (PicArray a :
         {PicArray::Card, PicArray::Home, PicArray::Right, PicArray::Res, PicArray::Stock, PicArray::Waste}) {
        const PicRef pic{a, 0};
        ASSERT_TRUE(list.isLoaded(pic));
        EXPECT_FALSE(list.isVisible(pic));
        EXPECT_EQ(list.width(pic), 1065.0);
        EXPECT_EQ(list.height(pic), 1440.0);
        EXPECT_EQ(list.picture(pic), CardPicture::none());
        EXPECT_EQ(list.upperBound(a), 0);
    }
    EXPECT_FALSE(list.isLoaded(card(1)));
}

TEST(DisplayList, ReloadedCardComesBackFreshAndItsRidersStayWhereTheyWereSeen)
{
    DisplayList list;
    place(list, card(5), 2000, 3000);
    list.resize(card(5), 1065, 1940);
    list.setPicture(card(5), CardPicture::face(12));
    place(list, card(6), 2000, 3250);
    place(list, card(7), 2000, 3500);
    list.putInside(card(6), card(5));
    list.putInside(card(7), card(5));
    EXPECT_EQ(list.upperBound(PicArray::Card), 7);

    list.unload(card(5));
    EXPECT_FALSE(list.isLoaded(card(5)));
    EXPECT_FALSE(list.carrierOf(card(6)).has_value());
    EXPECT_EQ(list.left(card(7)), 2000.0);
    EXPECT_EQ(list.top(card(7)), 3500.0);
    EXPECT_FALSE(list.hitTest(2100, 3100).has_value());

    list.load(card(5));
    EXPECT_FALSE(list.isVisible(card(5)));
    EXPECT_EQ(list.left(card(5)), 0.0);
    EXPECT_EQ(list.top(card(5)), 0.0);
    EXPECT_EQ(list.width(card(5)), 1065.0);
    EXPECT_EQ(list.height(card(5)), 1440.0);
    EXPECT_EQ(list.picture(card(5)), CardPicture::none());
    EXPECT_TRUE(list.riders(card(5)).empty());
    EXPECT_FALSE(list.carrierOf(card(5)).has_value());
    // A reloaded member lies in front of the cards already there.
    EXPECT_TRUE(list.isAbove(card(5), card(7)));

    list.unload(card(7));
    EXPECT_EQ(list.upperBound(PicArray::Card), 6);
}

TEST(DisplayList, MisuseRaisesTheRuntimeErrors)
{
    DisplayList list;
    list.load(card(1));
    EXPECT_EQ(errorNumber([&] { list.load(card(1)); }), 360);
    EXPECT_EQ(errorNumber([&] { list.load(card(0)); }), 360);
    EXPECT_EQ(errorNumber([&] { list.unload(card(0)); }), 362);
    EXPECT_EQ(errorNumber([&] { list.move(card(2), 0, 0); }), 340);
    EXPECT_EQ(errorNumber([&] { list.unload(card(2)); }), 340);
    EXPECT_EQ(errorNumber([&] { list.load(card(-1)); }), err::Subscript);
    EXPECT_EQ(errorNumber([&] { list.load(card(DisplayList::MaxIndex + 1)); }), err::Subscript);
    EXPECT_EQ(errorNumber([&] { list.load({PicArray::Stock, 1}); }), err::Subscript);
    EXPECT_EQ(errorNumber([&] { list.resize(card(1), -1, 1440); }), err::InvalidCall);
    EXPECT_EQ(errorNumber([&] { list.putInside(card(1), card(1)); }), err::InvalidCall);
    list.putInside(card(1), card(0));
    EXPECT_EQ(errorNumber([&] { list.putInside(card(0), card(1)); }), err::InvalidCall);
}

TEST(DisplayList, PlacesKeepExactFractionalTwips)
{
    DisplayList list;
    list.load(card(3));
    list.move(card(3), 4567.25, -12.5);
    list.resize(card(3), 1065, 1440 + 250 * 3);
    EXPECT_EQ(list.left(card(3)), 4567.25);
    EXPECT_EQ(list.top(card(3)), -12.5);
    EXPECT_EQ(list.height(card(3)), 2190.0);
    EXPECT_EQ(list.absoluteRect(card(3)), QRectF(4567.25, -12.5, 1065, 2190));
}

TEST(DisplayList, BringToFrontOrdersCardsButNeverBelowSlots)
{
    DisplayList list;
    place(list, home(0), 0, 0);
    place(list, card(0), 0, 0);
    place(list, card(1), 100, 0);
    place(list, card(2), 200, 0);
    EXPECT_TRUE(list.isAbove(card(2), card(1)));

    list.bringToFront(card(0));
    EXPECT_TRUE(list.isAbove(card(0), card(2)));
    list.sendToBack(card(2));
    EXPECT_TRUE(list.isAbove(card(1), card(2)));

    // A slot brought to the front still lies below every card.
    list.bringToFront(home(0));
    EXPECT_TRUE(list.isAbove(card(2), home(0)));
    const auto order = list.zOrder();
    const std::vector<PicRef> cards(order.end() - 3, order.end());
    EXPECT_EQ(cards, (std::vector<PicRef>{card(2), card(1), card(0)}));
    EXPECT_EQ(order[order.size() - 4], home(0));
}

TEST(DisplayList, RidersMoveWithTheirCarrierAndComeBackAbsolute)
{
    DisplayList list;
    place(list, card(10), 3000, 2000);
    place(list, card(11), 3000, 2250);
    place(list, card(12), 3000, 2500);
    place(list, card(20), 9000, 9000);

    list.putInside(card(11), card(10));
    list.putInside(card(12), card(10));
    // Putting a picture inside keeps where it is seen.
    EXPECT_EQ(list.left(card(11)), 0.0);
    EXPECT_EQ(list.top(card(11)), 250.0);
    list.move(card(12), 0, 500);
    list.resize(card(10), 1065, 1440 + 500);
    list.bringToFront(card(20));

    list.move(card(10), 3017.5, 1000);
    EXPECT_EQ(list.absoluteRect(card(11)).topLeft(), QPointF(3017.5, 1250));
    EXPECT_EQ(list.absoluteRect(card(12)).topLeft(), QPointF(3017.5, 1500));
    EXPECT_EQ(list.riders(card(10)), (std::vector<PicRef>{card(11), card(12)}));

    // Riders are drawn right after their carrier, whatever lies between in the layer.
    auto order = list.zOrder();
    const auto at = std::size_t(std::find(order.begin(), order.end(), card(10)) - order.begin());
    ASSERT_LT(at + 3, order.size());
    EXPECT_EQ(order[at + 1], card(11));
    EXPECT_EQ(order[at + 2], card(12));
    EXPECT_EQ(order[at + 3], card(20));

    list.bringToFront(card(10));
    order = list.zOrder();
    EXPECT_EQ(std::vector<PicRef>(order.end() - 3, order.end()), (std::vector<PicRef>{card(10), card(11), card(12)}));

    list.putOnBoard(card(11));
    EXPECT_FALSE(list.carrierOf(card(11)).has_value());
    EXPECT_EQ(list.left(card(11)), 3017.5);
    EXPECT_EQ(list.top(card(11)), 1250.0);
    EXPECT_TRUE(list.isAbove(card(11), card(12)));
    list.putOnBoard(card(11)); // already on the board: nothing happens
    EXPECT_EQ(list.top(card(11)), 1250.0);
}

TEST(DisplayList, RidersAreSeenAndHitOnlyInsideTheirCarrier)
{
    DisplayList list;
    place(list, card(0), 0, 0);
    place(list, card(1), 0, 250);
    list.putInside(card(1), card(0));

    EXPECT_EQ(list.hitTest(500, 300), card(1));
    EXPECT_EQ(list.hitTest(500, 100), card(0));
    // Below the carrier the rider is cut off until the carrier grows to hold it.
    EXPECT_FALSE(list.hitTest(500, 1500).has_value());
    list.resize(card(0), 1065, 1440 + 250);
    EXPECT_EQ(list.hitTest(500, 1500), card(1));
    EXPECT_FALSE(list.hitTest(500, 1690).has_value());

    list.setVisible(card(0), false);
    EXPECT_FALSE(list.isShown(card(1)));
    EXPECT_TRUE(list.isVisible(card(1)));
    EXPECT_FALSE(list.hitTest(500, 1500).has_value());
}

TEST(DisplayList, HitTestTakesTheTopmostShownPictureAndOwnsOnlyLeftAndTopEdges)
{
    DisplayList list;
    place(list, home(0), 0, 0);
    place(list, card(0), 0, 0);
    place(list, card(1), 500, 720);

    EXPECT_EQ(list.hitTest(0, 0), card(0));
    EXPECT_EQ(list.hitTest(499.999, 719.999), card(0));
    EXPECT_EQ(list.hitTest(500, 720), card(1));
    EXPECT_EQ(list.hitTest(1064.999, 1439.999), card(1));
    EXPECT_EQ(list.hitTest(1564.999, 2159.999), card(1));
    EXPECT_FALSE(list.hitTest(1565, 1000).has_value());
    EXPECT_FALSE(list.hitTest(600, 2160).has_value());
    EXPECT_FALSE(list.hitTest(-0.001, 10).has_value());

    list.bringToFront(card(0));
    EXPECT_EQ(list.hitTest(600, 800), card(0));
    list.setVisible(card(0), false);
    EXPECT_EQ(list.hitTest(600, 800), card(1));
    EXPECT_EQ(list.hitTest(100, 100), home(0));
    list.unload(card(1));
    EXPECT_EQ(list.hitTest(600, 800), home(0));
}

TEST(DisplayList, ObserverIsToldTheOldAndNewAreaOfWhatIsSeen)
{
    DisplayList list;
    Recorder seen;
    list.setObserver(&seen);

    list.load(card(1));
    list.move(card(1), 1000, 1000); // hidden: nothing to show again
    EXPECT_TRUE(seen.areas.empty());

    list.setVisible(card(1), true);
    ASSERT_EQ(seen.areas.size(), 1u);
    EXPECT_EQ(seen.areas[0], QRectF(1000, 1000, 1065, 1440));

    seen.areas.clear();
    list.move(card(1), 5000, 1000);
    ASSERT_EQ(seen.areas.size(), 2u);
    EXPECT_EQ(seen.areas[0], QRectF(1000, 1000, 1065, 1440));
    EXPECT_EQ(seen.areas[1], QRectF(5000, 1000, 1065, 1440));

    // A small move, as in a drag, is told as one area covering both places.
    seen.areas.clear();
    list.move(card(1), 5045, 955);
    ASSERT_EQ(seen.areas.size(), 1u);
    EXPECT_EQ(seen.areas[0], QRectF(5000, 955, 1110, 1485));

    seen.areas.clear();
    list.move(card(1), 5045, 955);                 // no change, nothing to show again
    list.setPicture(stock, CardPicture::slot(16)); // hidden stock
    EXPECT_TRUE(seen.areas.empty());

    list.processEvents();
    list.animationStep(1);
    list.animationStep(1);
    EXPECT_EQ(seen.yields, 1);
    EXPECT_EQ(seen.steps, 2);
    EXPECT_EQ(list.processEventsCount(), 1);
    EXPECT_EQ(list.animationStepCount(), 2);

    list.setObserver(nullptr);
    list.animationStep(1);
    EXPECT_EQ(list.animationStepCount(), 3);
}
