// The board window over a display list: pointer events reach the pressed picture in
// twips from its corner, double-clicks and stock clicks, lost captures, and pixels
// painted where the pictures lie at device pixel ratios 1 and 2.
#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

#include "shell/BoardView.h"

namespace {

PicRef card(int i)
{
    return {PicArray::Card, i};
}

const PicRef stock{PicArray::Stock, 0};

const QColor table(0, 100, 0);

QColor colorOf(const CardPicture &p)
{
    switch (p.kind) {
    case CardPicture::Kind::Face: return QColor(200, 0, p.n);
    case CardPicture::Kind::Back: return QColor(0, 0, 200);
    case CardPicture::Kind::Slot: return QColor(128, 128, 128);
    case CardPicture::Kind::None: break;
    }
    return {};
}

// Plain card-sized pictures in one colour per handle, made at the ratio asked.
struct FakeImages : CardImages {
    QImage image(const CardPicture &p, qreal ratio) override
    {
        ++asked;
        QImage img(QSize(71, 96) * ratio, QImage::Format_ARGB32_Premultiplied);
        img.setDevicePixelRatio(ratio);
        img.fill(colorOf(p));
        return img;
    }
    int asked = 0;
};

struct Event {
    std::string what;
    PicRef pic;
    double x = 0;
    double y = 0;
    int buttons = 0;
    int modifiers = 0;
};

class BoardViewTest : public ::testing::Test {
protected:
    BoardViewTest() : view(list, images)
    {
        view.setFramePacing(std::chrono::milliseconds(0));
        view.setBackgroundColor(table);
        view.resize(400, 300);
        // Card 0 at (100, 100) px, card 1 right beside it from x = 171 px.
        show(card(0), 1500, 1500, CardPicture::face(1));
        show(card(1), 171 * 15, 1500, CardPicture::face(2));
        view.setHandlers(recordingHandlers());
    }

    void show(PicRef pic, double left, double top, CardPicture picture)
    {
        if (!list.isLoaded(pic))
            list.load(pic);
        list.move(pic, left, top);
        list.setPicture(pic, picture);
        list.setVisible(pic, true);
        list.bringToFront(pic);
    }

    BoardHandlers recordingHandlers()
    {
        BoardHandlers h;
        h.press = [this](PicRef p, Qt::MouseButton b, Qt::KeyboardModifiers m, double x, double y) {
            events.push_back({"press", p, x, y, int(b), int(m)});
        };
        h.move = [this](PicRef p, Qt::MouseButtons b, Qt::KeyboardModifiers m, double x, double y) {
            events.push_back({"move", p, x, y, int(b), int(m)});
        };
        h.release = [this](PicRef p, Qt::MouseButton b, Qt::KeyboardModifiers m, double x, double y) {
            events.push_back({"release", p, x, y, int(b), int(m)});
        };
        h.doubleClick = [this](PicRef p) { events.push_back({"dblclick", p}); };
        h.stockClick = [this] { events.push_back({"stockclick", stock}); };
        h.captureLost = [this](PicRef p) { events.push_back({"lost", p}); };
        return h;
    }

    QWindow *window()
    {
        view.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&view));
        return view.windowHandle();
    }

    std::vector<std::string> names() const
    {
        std::vector<std::string> out;
        for (const auto &e : events)
            out.push_back(e.what);
        return out;
    }

    void send(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held)
    {
        QMouseEvent e(type, QPointF(at), view.mapToGlobal(QPointF(at)), button, held, Qt::NoModifier);
        QApplication::sendEvent(&view, &e);
    }

    QImage paint(QSize logical, qreal ratio)
    {
        QImage img(logical * ratio, QImage::Format_ARGB32_Premultiplied);
        img.setDevicePixelRatio(ratio);
        img.fill(Qt::black);
        QPainter painter(&img);
        view.paintBoard(painter, QRect(QPoint(0, 0), logical));
        return img;
    }

    DisplayList list;
    FakeImages images;
    BoardView view;
    std::vector<Event> events;
};

} // namespace

TEST_F(BoardViewTest, PressIsReportedInTwipsFromTheCardCornerWithButtonAndModifiers)
{
    QTest::mousePress(window(), Qt::RightButton, Qt::ShiftModifier, QPoint(110, 120));
    ASSERT_EQ(names(), (std::vector<std::string>{"press"}));
    EXPECT_EQ(events[0].pic, card(0));
    EXPECT_EQ(events[0].x, 150.0);
    EXPECT_EQ(events[0].y, 300.0);
    EXPECT_EQ(events[0].buttons, int(Qt::RightButton));
    EXPECT_EQ(events[0].modifiers, int(Qt::ShiftModifier));
    EXPECT_EQ(view.capturedPicture(), card(0));
    QTest::mouseRelease(window(), Qt::RightButton, Qt::ShiftModifier, QPoint(110, 120));
    EXPECT_FALSE(view.capturedPicture().has_value());
}

TEST_F(BoardViewTest, MovesAndReleaseReachOnlyThePressedCardEvenOverAnother)
{
    QWindow *w = window();
    QTest::mousePress(w, Qt::LeftButton, {}, QPoint(110, 120));
    QTest::mouseMove(w, QPoint(200, 130));
    QTest::mouseRelease(w, Qt::LeftButton, {}, QPoint(200, 130));

    ASSERT_EQ(names(), (std::vector<std::string>{"press", "move", "release"}));
    for (const auto &e : events)
        EXPECT_EQ(e.pic, card(0)) << e.what;
    EXPECT_EQ(events[1].x, 100 * 15.0);
    EXPECT_EQ(events[1].y, 30 * 15.0);
    EXPECT_EQ(events[1].buttons, int(Qt::LeftButton));
    EXPECT_EQ(events[2].x, 100 * 15.0);
    EXPECT_EQ(events[2].buttons, int(Qt::LeftButton));

    // After the release the other card is pressed again as usual.
    events.clear();
    QTest::mousePress(w, Qt::LeftButton, {}, QPoint(200, 130));
    ASSERT_EQ(names(), (std::vector<std::string>{"press"}));
    EXPECT_EQ(events[0].pic, card(1));
    QTest::mouseRelease(w, Qt::LeftButton, {}, QPoint(200, 130));
}

TEST_F(BoardViewTest, PositionsFollowTheCornerOfACardThatIsDragged)
{
    // As the board does: the card follows the pointer, so the grab point stays put.
    BoardHandlers h = recordingHandlers();
    double grabX = 0, grabY = 0;
    h.press = [&](PicRef, Qt::MouseButton, Qt::KeyboardModifiers, double x, double y) {
        grabX = x;
        grabY = y;
    };
    h.move = [&](PicRef p, Qt::MouseButtons, Qt::KeyboardModifiers, double x, double y) {
        events.push_back({"move", p, x, y});
        list.move(p, list.left(p) + x - grabX, list.top(p) + y - grabY);
    };
    h.release = {};
    view.setHandlers(h);
    QWindow *w = window();
    QTest::mousePress(w, Qt::LeftButton, {}, QPoint(105, 105));
    QTest::mouseMove(w, QPoint(140, 160));
    QTest::mouseMove(w, QPoint(150, 150));
    QTest::mouseRelease(w, Qt::LeftButton, {}, QPoint(150, 150));

    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].x, 35 * 15.0 + grabX);
    EXPECT_EQ(events[1].x, 10 * 15.0 + grabX);
    EXPECT_EQ(events[1].y, -10 * 15.0 + grabY);
    EXPECT_EQ(list.left(card(0)), 145 * 15.0);
    EXPECT_EQ(list.top(card(0)), 145 * 15.0);
}

TEST_F(BoardViewTest, DoubleClickOnACardGivesDoubleClickAndNoSecondPress)
{
    QTest::mouseDClick(window(), Qt::LeftButton, {}, QPoint(120, 150));
    ASSERT_EQ(names(), (std::vector<std::string>{"press", "release", "dblclick"}));
    EXPECT_EQ(events[2].pic, card(0));
    EXPECT_FALSE(view.capturedPicture().has_value());
}

TEST_F(BoardViewTest, QuickSecondPressOnAnotherCardIsAPress)
{
    window();
    send(QEvent::MouseButtonPress, QPoint(169, 150), Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, QPoint(169, 150), Qt::LeftButton, Qt::NoButton);
    send(QEvent::MouseButtonDblClick, QPoint(172, 150), Qt::LeftButton, Qt::LeftButton);
    ASSERT_EQ(names(), (std::vector<std::string>{"press", "release", "press"}));
    EXPECT_EQ(events[2].pic, card(1));
    EXPECT_EQ(view.capturedPicture(), card(1));
}

TEST_F(BoardViewTest, ClickOnTheStockIsReportedAfterItsRelease)
{
    show(stock, 300 * 15, 100 * 15, CardPicture::slot(16));
    QWindow *w = window();
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(310, 110));
    EXPECT_EQ(names(), (std::vector<std::string>{"press", "release", "stockclick"}));

    // Released off the stock (the window reports the move there first), or with another
    // button: no click.
    events.clear();
    QTest::mousePress(w, Qt::LeftButton, {}, QPoint(310, 110));
    QTest::mouseRelease(w, Qt::LeftButton, {}, QPoint(390, 110));
    QTest::mouseClick(w, Qt::RightButton, {}, QPoint(310, 110));
    EXPECT_EQ(names(), (std::vector<std::string>{"press", "move", "release", "press", "release"}));
}

TEST_F(BoardViewTest, PressOnTheTableOrOnAHiddenCardReachesNoCard)
{
    QWindow *w = window();
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_TRUE(events.empty());

    show(card(2), 1500, 1500, CardPicture::face(3));
    list.setVisible(card(2), false);
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(110, 110));
    ASSERT_EQ(names(), (std::vector<std::string>{"press", "release"}));
    EXPECT_EQ(events[0].pic, card(0));
}

TEST_F(BoardViewTest, LostCaptureIsReportedAndEndsThePress)
{
    QWindow *w = window();
    QTest::mousePress(w, Qt::LeftButton, {}, QPoint(110, 110));
    QEvent deactivate(QEvent::WindowDeactivate);
    QApplication::sendEvent(&view, &deactivate);
    QTest::mouseMove(w, QPoint(130, 130));
    QTest::mouseRelease(w, Qt::LeftButton, {}, QPoint(130, 130));
    ASSERT_EQ(names(), (std::vector<std::string>{"press", "lost"}));
    EXPECT_EQ(events[1].pic, card(0));
    EXPECT_FALSE(view.capturedPicture().has_value());

    // Hiding the board during a press loses it too; without a press nothing is said.
    events.clear();
    send(QEvent::MouseButtonPress, QPoint(110, 110), Qt::LeftButton, Qt::LeftButton);
    view.hide();
    view.hide();
    EXPECT_EQ(names(), (std::vector<std::string>{"press", "lost"}));
}

TEST_F(BoardViewTest, CaptureLostInsideAHandlerIsReportedWhenTheHandlerReturns)
{
    BoardHandlers h = recordingHandlers();
    h.press = [&](PicRef p, Qt::MouseButton, Qt::KeyboardModifiers, double, double) {
        events.push_back({"press", p});
        QEvent deactivate(QEvent::WindowDeactivate);
        QApplication::sendEvent(&view, &deactivate);
        events.push_back({"press done", p});
    };
    view.setHandlers(h);
    QWindow *w = window();
    QTest::mousePress(w, Qt::LeftButton, {}, QPoint(110, 110));
    QTest::mouseRelease(w, Qt::LeftButton, {}, QPoint(110, 110));
    EXPECT_EQ(names(), (std::vector<std::string>{"press", "press done", "lost"}));
}

TEST_F(BoardViewTest, PressAfterAReleaseThatWentElsewhereEndsTheEarlierPress)
{
    window();
    send(QEvent::MouseButtonPress, QPoint(110, 110), Qt::LeftButton, Qt::LeftButton);
    // The release went to a popup; the next press holds no other button.
    send(QEvent::MouseButtonPress, QPoint(200, 110), Qt::LeftButton, Qt::LeftButton);
    ASSERT_EQ(names(), (std::vector<std::string>{"press", "lost", "press"}));
    EXPECT_EQ(events[1].pic, card(0));
    EXPECT_EQ(events[2].pic, card(1));

    // A second button during a press goes to the pressed card and keeps the capture.
    events.clear();
    send(QEvent::MouseButtonPress, QPoint(110, 110), Qt::RightButton, Qt::LeftButton | Qt::RightButton);
    send(QEvent::MouseButtonRelease, QPoint(110, 110), Qt::RightButton, Qt::LeftButton);
    EXPECT_EQ(view.capturedPicture(), card(1));
    send(QEvent::MouseButtonRelease, QPoint(110, 110), Qt::LeftButton, Qt::NoButton);
    ASSERT_EQ(names(), (std::vector<std::string>{"press", "release", "release"}));
    for (const auto &e : events)
        EXPECT_EQ(e.pic, card(1));
    EXPECT_FALSE(view.capturedPicture().has_value());
}

TEST_F(BoardViewTest, ChangedAreasArePaintedByAnAnimationStep)
{
    window();
    QApplication::processEvents();
    view.clearPendingRegion();
    list.move(card(0), 250 * 15, 150 * 15);
    const QRegion pending = view.pendingRegion();
    EXPECT_TRUE(pending.contains(QPoint(100, 100)));
    EXPECT_TRUE(pending.contains(QPoint(320, 245)));
    // Old and new places only, not the whole span between them.
    EXPECT_FALSE(pending.contains(QPoint(210, 240)));
    list.animationStep(1);
    EXPECT_TRUE(view.pendingRegion().isEmpty());

    bool ran = false;
    QMetaObject::invokeMethod(
        &view, [&] { ran = true; }, Qt::QueuedConnection);
    list.processEvents();
    EXPECT_TRUE(ran);
}

class BoardViewPaintTest : public BoardViewTest, public ::testing::WithParamInterface<int> {};

TEST_P(BoardViewPaintTest, CardPixelsLieWhereTheCardsAre)
{
    const int r = GetParam();
    auto at = [&](const QImage &img, double x, double y) { return img.pixelColor(int(x * r), int(y * r)); };

    show({PicArray::Home, 0}, 20 * 15, 20 * 15, CardPicture::slot(14));
    // Card 2 on card 1's left half, card 3 hidden on top of both.
    show(card(2), 150 * 15, 100 * 15, CardPicture::back(1));
    show(card(3), 150 * 15, 100 * 15, CardPicture::face(9));
    list.setVisible(card(3), false);
    const QImage img = paint(QSize(300, 250), r);

    EXPECT_EQ(at(img, 99.6, 150), table);
    EXPECT_EQ(at(img, 100, 100), colorOf(CardPicture::face(1)));
    EXPECT_EQ(at(img, 149.6, 195.6), colorOf(CardPicture::face(1)));
    EXPECT_EQ(at(img, 150, 100), colorOf(CardPicture::back(1)));
    EXPECT_EQ(at(img, 220.6, 150), colorOf(CardPicture::back(1)));
    EXPECT_EQ(at(img, 221, 150), colorOf(CardPicture::face(2)));
    EXPECT_EQ(at(img, 242, 196), table);
    EXPECT_EQ(at(img, 20, 20), colorOf(CardPicture::slot(14)));
    EXPECT_EQ(at(img, 19.6, 20), table);
    EXPECT_EQ(images.asked, 4); // one picture per handle, hidden card 3 never asked
}

TEST_P(BoardViewPaintTest, FractionalTwipsLandOnTheNearestDevicePixel)
{
    const int r = GetParam();
    // 1507 twips = 100.47 px: device pixel 100 at ratio 1, 201 (100.5 px) at ratio 2.
    list.move(card(0), 1507, 1500);
    list.setVisible(card(1), false);
    const QImage img = paint(QSize(300, 250), r);
    const int first = r == 1 ? 100 : 201;
    EXPECT_EQ(img.pixelColor(first - 1, 150 * r), table);
    EXPECT_EQ(img.pixelColor(first, 150 * r), colorOf(CardPicture::face(1)));
    EXPECT_EQ(img.pixelColor(first + 71 * r - 1, 150 * r), colorOf(CardPicture::face(1)));
    EXPECT_EQ(img.pixelColor(first + 71 * r, 150 * r), table);
}

TEST_P(BoardViewPaintTest, RidersArePaintedAfterTheirCarrierAndWithinIt)
{
    const int r = GetParam();
    auto at = [&](const QImage &img, double x, double y) { return img.pixelColor(int(x * r), int(y * r)); };
    // Card 1 rides on card 0, 20 px below its top; card 0 is not grown yet.
    list.move(card(1), 1500, 1800);
    list.putInside(card(1), card(0));
    list.bringToFront(card(0));
    QImage img = paint(QSize(300, 250), r);
    EXPECT_EQ(at(img, 110, 110), colorOf(CardPicture::face(1)));
    EXPECT_EQ(at(img, 110, 125), colorOf(CardPicture::face(2)));
    EXPECT_EQ(at(img, 110, 196.5), table);

    list.resize(card(0), 1065, 1440 + 300);
    img = paint(QSize(300, 250), r);
    EXPECT_EQ(at(img, 110, 196.5), colorOf(CardPicture::face(2)));
    EXPECT_EQ(at(img, 110, 215.6), colorOf(CardPicture::face(2)));
    EXPECT_EQ(at(img, 110, 216), table);
}

INSTANTIATE_TEST_SUITE_P(Ratio, BoardViewPaintTest, ::testing::Values(1, 2),
                         [](const auto &info) { return "Ratio" + std::to_string(info.param); });
