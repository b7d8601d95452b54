// The animation speeds and the card-back choice: what the two dialogs show of the store,
// what OK and Cancel leave in it, and the board's face-down cards after a new back.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QSlider>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include "appearance/frmAnimation.h"
#include "appearance/frmCardDeck.h"
#include "appearance/mCustomize.h"
#include "engine/cPlay.h"
#include "platform/ArtLibrary.h"
#include "store/mRegistry.h"
#include "support/BoardChecker.h"
#include "support/GameContext.h"

namespace {
const char *kAbsent = "<absent>";

QString stored(Context &ctx, const char *section, const char *name)
{
    return QString::number(mRegistry::GetRegInteger(ctx, QString::fromLatin1(section), QString::fromLatin1(name), -999))
        .replace(QStringLiteral("-999"), QString::fromLatin1(kAbsent));
}

QStringList speeds(Context &ctx)
{
    QStringList out;
    for (const char *name : {"CardSpeed", "UndoSpeed", "UndoallSpeed", "ReplaySpeed"})
        out << stored(ctx, "Animation", name);
    return out;
}

QStringList captions(const frmAnimation &dlg)
{
    QStringList out;
    for (std::size_t i = 1; i <= 4; ++i)
        out << dlg.Frame[i]->title();
    return out;
}

// The design nodes of the tree as "<category>/<text>=<index>", in tree order.
QStringList designs(const frmCardDeck &dlg)
{
    QStringList out;
    QTreeWidgetItemIterator it(dlg.tvDeck);
    for (; *it; ++it) {
        if (frmCardDeck::nodeTag(*it) != 0)
            out << (*it)->parent()->text(0) + "/" + (*it)->text(0) + "=" + QString::number(frmCardDeck::nodeTag(*it));
    }
    return out;
}

QTreeWidgetItem *designNode(const frmCardDeck &dlg, int index)
{
    QTreeWidgetItemIterator it(dlg.tvDeck);
    for (; *it; ++it) {
        if (frmCardDeck::nodeTag(*it) == index)
            return *it;
    }
    return nullptr;
}

bool waitForPreview(const frmCardDeck &dlg, int index)
{
    QElapsedTimer clock;
    clock.start();
    while (dlg.shownIndex() != index && clock.elapsed() < 60000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return dlg.shownIndex() == index;
}
} // namespace

TEST(AnimationDialog, ShowsTheSpeedsReversedAndOkStoresThemBackInOrder)
{
    GameContext t;
    {
        frmAnimation dlg(t.ctx);
        EXPECT_EQ(dlg.windowTitle(), "Animation");
        EXPECT_EQ(captions(dlg), QStringList({"Card Moving Speed : 45", "Undo/Redo Speed : 45",
                                              "Undoall/Redoall Speed : 48", "Replay Speed : 43"}));
        dlg.Slider[4]->setValue(50);
        EXPECT_EQ(dlg.Frame[4]->title(), "Replay Speed : 50");
        dlg.cmdCancel_Click();
    }
    EXPECT_EQ(speeds(t.ctx), QStringList({kAbsent, kAbsent, kAbsent, kAbsent}));
    {
        frmAnimation dlg(t.ctx);
        dlg.Slider[4]->setValue(50);
        dlg.cmdOK_Click();
    }
    // Only the slider the user moved is stored.
    EXPECT_EQ(speeds(t.ctx), QStringList({kAbsent, kAbsent, kAbsent, "0"}));

    // A speed edited beyond the slider stands at its end and, left alone, keeps its value.
    mCustomize::SetUndoSpeed(t.ctx, 30000);
    mCustomize::SetCardSpeed(t.ctx, -4);
    EXPECT_EQ(mCustomize::GetUndoSpeed(t.ctx), 30000);
    frmAnimation dlg(t.ctx);
    EXPECT_EQ(dlg.Slider[1]->value(), 50);
    EXPECT_EQ(dlg.Slider[2]->value(), 0);
    dlg.Slider[3]->setValue(40);
    dlg.cmdOK_Click();
    EXPECT_EQ(speeds(t.ctx), QStringList({"-4", "30000", "10", "0"}));
}

TEST(CardDeck, AStoredIndexOutsideTheDesignsReadsAsSevenAndIsNotWrittenBack)
{
    GameContext t;
    const int count = t.ctx.art().DeckCount();
    ASSERT_GE(count, 7);
    EXPECT_EQ(mCustomize::GetDeckIndex(t.ctx), 7);
    for (int bad : {0, -3, count + 1}) {
        mCustomize::SetDeckIndex(t.ctx, static_cast<std::int16_t>(bad));
        EXPECT_EQ(mCustomize::GetDeckIndex(t.ctx), 7) << bad;
        EXPECT_EQ(stored(t.ctx, "BackGround", "DeckIndex"), QString::number(bad));
    }
    for (int good : {1, count}) {
        mCustomize::SetDeckIndex(t.ctx, static_cast<std::int16_t>(good));
        EXPECT_EQ(mCustomize::GetDeckIndex(t.ctx), good);
    }
}

TEST(CardDeck, ListsEveryDesignUnderItsCategoryNumberedWithinIt)
{
    GameContext t;
    mCustomize::SetDeckIndex(t.ctx, 3);
    frmCardDeck dlg(t.ctx);
    EXPECT_EQ(dlg.windowTitle(), "Customize Card Deck");
    ArtLibrary &art = t.ctx.art();
    QStringList want;
    const QStringList categories = art.DeckCategories();
    for (int c = 1; c <= categories[0].toInt(); ++c) {
        int j = 0;
        for (int d = 1; d <= art.DeckCount(); ++d) {
            if (art.DeckCategory(d) == c)
                want << categories[c] + "/" + categories[c] + " " + QString::number(++j) + "=" + QString::number(d);
        }
    }
    EXPECT_EQ(designs(dlg), want);
    ASSERT_EQ(dlg.tvDeck->topLevelItemCount(), 1);
    EXPECT_EQ(dlg.tvDeck->topLevelItem(0)->text(0), "Card Decks");
    EXPECT_EQ(frmCardDeck::nodeTag(dlg.tvDeck->currentItem()), 3);
    EXPECT_TRUE(waitForPreview(dlg, 3));

    // A category click chooses nothing; a design click shows that design.
    dlg.tvDeck_NodeClick(dlg.tvDeck->topLevelItem(0)->child(0));
    EXPECT_EQ(dlg.chosenIndex(), 3);
    dlg.tvDeck_NodeClick(designNode(dlg, 1));
    EXPECT_EQ(dlg.chosenIndex(), 1);
    EXPECT_TRUE(waitForPreview(dlg, 1));
    EXPECT_FALSE(dlg.PicDeck->pixmap().isNull());
}

TEST(CardDeck, OkTurnsTheFaceDownCardsToTheNewBackAndCancelLeavesEverything)
{
    BoardContext t;
    t.dealWithClosedCards(21);
    cPlay &p = t.play();
    const PicRef closed{PicArray::Card, p.GetPicID(0, 0, 0)};
    ASSERT_EQ(t.surface.picture(closed), CardPicture::back(7));
    {
        frmCardDeck dlg(t.ctx);
        dlg.tvDeck_NodeClick(designNode(dlg, 2));
        dlg.cmdCancel_Click();
    }
    EXPECT_EQ(stored(t.ctx, "BackGround", "DeckIndex"), kAbsent);
    EXPECT_EQ(t.surface.picture(closed), CardPicture::back(7));

    frmCardDeck dlg(t.ctx);
    dlg.tvDeck_NodeClick(designNode(dlg, 2));
    dlg.cmdOK_Click();
    EXPECT_EQ(stored(t.ctx, "BackGround", "DeckIndex"), "2");
    EXPECT_EQ(t.surface.picture(closed), CardPicture::back(2));
    EXPECT_TRUE(t.consistent());
}

// OK takes over the back the preview worker rendered: with the deck's file gone after
// the preview arrived, the board still gets the deck's back, not the plain stand-in a
// second rendering would give.
TEST(CardDeck, OkGivesTheBoardTheBackThePreviewRenderedWithoutRenderingItAgain)
{
    QTemporaryDir decks;
    const QString deck = decks.path() + "/svg-penguins";
    ASSERT_TRUE(QDir().mkpath(deck));
    for (const char *file : {"index.desktop", "penguins.svgz"})
        ASSERT_TRUE(QFile::copy(QStringLiteral(BRACKENFOLD_CARDDECKS_DIR "/svg-penguins/") + file, deck + "/" + file));
    GameContext t;
    t.ctx.gArtLibrary = std::make_unique<ArtLibrary>(decks.path());
    const int design = t.ctx.art().DeckCount();
    ASSERT_GT(design, 1);
    const QImage rendered = ArtLibrary(decks.path()).DeckPicture(design);

    frmCardDeck dlg(t.ctx);
    dlg.tvDeck_NodeClick(designNode(dlg, design));
    ASSERT_TRUE(waitForPreview(dlg, design));
    ASSERT_TRUE(QFile::remove(deck + "/penguins.svgz"));
    dlg.cmdOK_Click();
    EXPECT_EQ(mCustomize::GetDeckIndex(t.ctx), design);
    EXPECT_TRUE(t.ctx.art().DeckPicture(design) == rendered);
    EXPECT_FALSE(ArtLibrary(decks.path()).DeckPicture(design) == rendered);
}
