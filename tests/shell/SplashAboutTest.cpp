// The splash window (what it shows, the three ways it hands over to the main window,
// and that it hands over only once) and the About window.
#include <QGuiApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "core/AppError.h"
#include "platform/ArtLibrary.h"
#include "shell/frmAbout.h"
#include "shell/frmSplash.h"
#include "support/GameContext.h"
#include "support/TestContext.h"

namespace {

// A splash as start-up makes it: on the heap, shown without waiting, counting its
// hand-overs and noting whether it was still visible when it handed over.
struct ShownSplash {
    explicit ShownSplash(Context &ctx)
    {
        splash = new frmSplash(ctx, [this] {
            ++handOvers;
            visibleAtHandOver = splash && splash->isVisible();
        });
        splash->show();
    }
    ~ShownSplash() { delete splash.data(); }

    // Runs the deferred deletes, as the event loop would.
    static void flushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    QPointer<frmSplash> splash;
    int handOvers = 0;
    bool visibleAtHandOver = true;
};

} // namespace

// ---- The splash window -----------------------------------------------------------

TEST(Splash, ShowsThePictureAndTheVersionInAFramelessCentredWindow)
{
    TestContext t;
    ShownSplash s(t.ctx);
    frmSplash &w = *s.splash;

    EXPECT_EQ(w.lblversion->text(), "Version : 6.0");
    EXPECT_EQ(w.findChild<QLabel *>("lblversion"), w.lblversion);
    EXPECT_FALSE(w.Label1->text().isEmpty());

    // The picture fills the window but for a thin border, and the texts lie inside it.
    const QPixmap picture = w.imgWords->pixmap();
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.deviceIndependentSize().toSize(), QSize(ArtLibrary::SplashWidth, ArtLibrary::SplashHeight));
    EXPECT_LE(w.width() - w.imgWords->width(), 4);
    EXPECT_LE(w.height() - w.imgWords->height(), 4);
    for (QLabel *text : {w.lblversion, w.Label1}) {
        EXPECT_TRUE(w.imgWords->rect().contains(text->geometry())) << text->objectName().toStdString();
        EXPECT_TRUE(text->isVisible());
    }

    EXPECT_TRUE(w.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(w.isVisible());
    const QPoint screenCentre = QGuiApplication::primaryScreen()->availableGeometry().center();
    EXPECT_LE((w.geometry().center() - screenCentre).manhattanLength(), 2);

    EXPECT_EQ(w.Timer1->interval(), 2000);
    EXPECT_TRUE(w.Timer1->isActive());
    EXPECT_EQ(s.handOvers, 0);
}

TEST(Splash, KeyPressHandsOverOnceAndTheWindowGoes)
{
    TestContext t;
    ShownSplash s(t.ctx);
    QTest::keyClick(s.splash.data(), Qt::Key_Space);

    EXPECT_EQ(s.handOvers, 1);
    EXPECT_FALSE(s.visibleAtHandOver) << "the splash is hidden before the main window shows";
    ASSERT_FALSE(s.splash.isNull()) << "deleted later, not from inside its own event";
    EXPECT_FALSE(s.splash->isVisible());
    EXPECT_TRUE(s.splash->HandedOver());
    EXPECT_FALSE(s.splash->Timer1->isActive());

    // Events that arrive before the deletion runs do nothing.
    QTest::keyClick(s.splash.data(), Qt::Key_Return);
    QTest::mouseClick(s.splash.data(), Qt::LeftButton);
    s.splash->Timer1_Timer();
    EXPECT_EQ(s.handOvers, 1);

    ShownSplash::flushDeletes();
    EXPECT_TRUE(s.splash.isNull());
}

TEST(Splash, ClickAnywhereOnItHandsOverOnce)
{
    TestContext t;
    {
        ShownSplash s(t.ctx);
        QTest::mouseClick(s.splash.data(), Qt::LeftButton, {}, QPoint(10, 10));
        EXPECT_EQ(s.handOvers, 1);
        EXPECT_FALSE(s.visibleAtHandOver);
        QTest::mouseClick(s.splash.data(), Qt::LeftButton, {}, QPoint(20, 20));
        s.splash->Form_KeyPress();
        EXPECT_EQ(s.handOvers, 1);
    }
    // A click on the version or the notice counts as a click on the window.
    for (const char *name : {"lblversion", "Label1"}) {
        ShownSplash s(t.ctx);
        auto *label = s.splash->findChild<QLabel *>(name);
        ASSERT_NE(label, nullptr) << name;
        QTest::mouseClick(label, Qt::LeftButton);
        EXPECT_EQ(s.handOvers, 1) << name;
    }
}

TEST(Splash, FirstTimerTickHandsOverOnceAndStopsTheTimer)
{
    TestContext t;
    ShownSplash s(t.ctx);
    s.splash->Timer1->start(20);

    EXPECT_TRUE(QTest::qWaitFor([&] { return s.handOvers > 0; }, 60000));
    EXPECT_EQ(s.handOvers, 1);
    EXPECT_FALSE(s.visibleAtHandOver);
    // Later ticks would hand over again; the timer is stopped, and the deferred deletion
    // (run by the event loop while waiting) takes the window away.
    QTest::qWait(100);
    QTRY_VERIFY_WITH_TIMEOUT(s.splash.isNull(), 60000);
    EXPECT_EQ(s.handOvers, 1);
}

TEST(Splash, ClickAndTickArrivingTogetherHandOverOnce)
{
    TestContext t;
    ShownSplash s(t.ctx);
    s.splash->Form_Click();
    s.splash->Timer1_Timer();
    s.splash->Form_KeyPress();
    s.splash->UnloadSplash();
    EXPECT_EQ(s.handOvers, 1);
}

TEST(Splash, EventDuringTheHandOverDoesNotHandOverAgain)
{
    // The main window's load may run a modal loop (the selection dialog) while the splash
    // still exists; a tick or click reaching the splash then must not re-enter.
    TestContext t;
    int handOvers = 0;
    QPointer<frmSplash> splash;
    splash = new frmSplash(t.ctx, [&] {
        ++handOvers;
        splash->Timer1_Timer();
        splash->Form_Click();
    });
    splash->show();
    splash->Form_KeyPress();
    EXPECT_EQ(handOvers, 1);
    ShownSplash::flushDeletes();
    EXPECT_TRUE(splash.isNull());
}

TEST(Splash, FailingHandOverIsReportedAndTheSplashStillGoes)
{
    TestContext t;
    t.box.allowNotices();
    QPointer<frmSplash> splash =
        new frmSplash(t.ctx, [] { raiseError(err::FileNotFound, QStringLiteral("File not found")); });
    splash->show();
    EXPECT_NO_THROW(splash->Form_Click());
    ASSERT_EQ(t.box.prompts().size(), 1);
    EXPECT_TRUE(t.box.last().text.contains("File not found"));
    ShownSplash::flushDeletes();
    EXPECT_TRUE(splash.isNull());
}

// ---- The About window ------------------------------------------------------------

TEST(About, ShowsTheProductNameReleaseAndNotices)
{
    TestContext t;
    frmAbout about(t.ctx, nullptr);

    EXPECT_EQ(about.windowTitle(), "About...");
    EXPECT_TRUE(about.isModal());
    EXPECT_EQ(about.lblName->text(), "Brackenfold 6.0");
    EXPECT_EQ(about.Label1->text(), "Oct 2005 Release");
    EXPECT_EQ(about.cmdOK->text(), "OK");
    EXPECT_FALSE(about.Image1->pixmap().isNull());
    for (const char *name : {"Label2", "Label3", "Label4", "Label5", "Label6"}) {
        auto *notice = about.findChild<QLabel *>(name);
        ASSERT_NE(notice, nullptr) << name;
        EXPECT_FALSE(notice->text().isEmpty()) << name;
    }
    EXPECT_TRUE(t.box.prompts().isEmpty());
}

TEST(About, OkEndsTheModalWindow)
{
    TestContext t;
    frmAbout about(t.ctx, nullptr);
    bool clicked = false;
    QTimer::singleShot(0, &about, [&] {
        clicked = about.isVisible();
        QTest::mouseClick(about.cmdOK, Qt::LeftButton);
    });
    EXPECT_EQ(about.exec(), QDialog::Accepted);
    EXPECT_TRUE(clicked) << "OK was pressed while the window was up";
    EXPECT_FALSE(about.isVisible());

    // Shown without a loop of its own, OK hides it just the same.
    about.show();
    QTest::mouseClick(about.cmdOK, Qt::LeftButton);
    EXPECT_FALSE(about.isVisible());
}

TEST(About, OpeningPlaysTheAboutSoundOnlyWhenOneIsChosen)
{
    GameContext t;

    // The About event has no default sound.
    {
        frmAbout silent(t.ctx, nullptr);
    }
    EXPECT_TRUE(t.sounds.played.isEmpty());

    const QString wav = t.setSoundFile("About");

    frmAbout about(t.ctx, nullptr);
    EXPECT_EQ(t.sounds.played, QStringList{wav});
}
