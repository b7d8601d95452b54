// Players with their logs on disk: renames (current or not, onto a taken log, with the
// settings refusing the new name), deletes, every refusal of the name box, the old name
// taken once, twenty players, and the Players window's buttons.
#include <QDir>
#include <QFileInfo>
#include <QListWidget>
#include <QPushButton>
#include <gtest/gtest.h>

#include "appearance/mCustomize.h"
#include "core/AppError.h"
#include "scores/frmPlayers.h"
#include "scores/mPlayers.h"
#include "scores/ScoreFixture.h"
#include "platform/SettingsFile.h"
#include "store/cData.h"
#include "store/cRegistry.h"
#include "support/Errors.h"
#include "support/RefusingWriter.h"

namespace {

const QByteArray kAnnLog = logLine("2026-12-08 22:15:03", "Freecell", 617, 125, 41, 20, 1);
const QByteArray kBobLog = logLine("2026-12-07 10:00:00", "Baker's Game", 5, 60, 30, 12, 0);

QStringList filledSlots(Context &ctx)
{
    QStringList names;
    for (std::int16_t s = 1; s <= mCustomize::kMaxPlayers; ++s)
        names << mCustomize::GetPlayer(ctx, s);
    while (!names.isEmpty() && names.back().isEmpty())
        names.removeLast();
    return names;
}

// Ann (current) and Bob, each with a log.
struct Players : ScoreContext {
    Players()
    {
        setPlayers({QStringLiteral("Ann"), QStringLiteral("Bob")});
        writeLog(QStringLiteral("Ann"), kAnnLog);
        writeLog(QStringLiteral("Bob"), kBobLog);
    }
    bool rename(const QString &from) { return mPlayers::ShowInputDialog(ctx, QStringLiteral("Edit Player"), from); }
    QStringList slotNames() { return filledSlots(ctx); }
    bool hasLog(const char *name) const { return QFileInfo::exists(logOf(QLatin1String(name))); }
};

} // namespace

TEST(Players, RenamingCarriesTheLogAndKeepsOnlyTheCurrentPlayerCurrent)
{
    Players t;
    t.input.type(QStringLiteral("Cara"));
    EXPECT_TRUE(t.rename(QStringLiteral("Ann")));
    EXPECT_EQ(t.slotNames(), QStringList({"Cara", "Bob"}));
    EXPECT_EQ(mCustomize::GetCurPlayer(t.ctx), QStringLiteral("Cara"));
    EXPECT_FALSE(t.hasLog("Ann"));
    EXPECT_EQ(bytesOf(t.logOf(QStringLiteral("Cara"))), kAnnLog);

    t.input.type(QStringLiteral("Dan"));
    EXPECT_TRUE(t.rename(QStringLiteral("Bob")));
    EXPECT_EQ(t.slotNames(), QStringList({"Cara", "Dan"}));
    EXPECT_EQ(mCustomize::GetCurPlayer(t.ctx), QStringLiteral("Cara"));
    EXPECT_EQ(bytesOf(t.logOf(QStringLiteral("Dan"))), kBobLog);
    EXPECT_TRUE(t.box.prompts().isEmpty());
}

namespace {
} // namespace

TEST(Players, ARenameWhoseSettingsCannotBeWrittenLeavesTheLogUnderTheNameTheSlotHolds)
{
    // The new name refused; the name written and the current player refused, so the name
    // is written back; or that write-back refused too, so the slot keeps the new name.
    struct Case {
        QList<int> refused;
        QString kept, other;
    };
    for (const Case &c : {Case{{1, 2, 3}, "Ann", "Cara"}, Case{{2}, "Ann", "Cara"}, Case{{2, 3}, "Cara", "Ann"}}) {
        Players t;
        RefusingWriter writer(c.refused);
        t.ctx.registry().settingsFile().setWriter(&writer);
        EXPECT_NE(errorOf([&] { mPlayers::RenamePlayer(t.ctx, QStringLiteral("Ann"), QStringLiteral("Cara")); }), 0);
        t.ctx.registry().settingsFile().setWriter(nullptr);
        EXPECT_EQ(t.slotNames(), QStringList({c.kept, "Bob"}));
        EXPECT_EQ(mCustomize::GetCurPlayer(t.ctx), QStringLiteral("Ann"));
        EXPECT_EQ(bytesOf(t.logOf(c.kept)), kAnnLog) << c.refused.size();
        EXPECT_FALSE(QFileInfo::exists(t.logOf(c.other))) << c.refused.size();
    }
}

TEST(Players, ARenameOntoAnExistingLogIsRefusedNamingItAndChangesNothing)
{
    Players t;
    const QByteArray stray = logLine("2026-01-01 00:00:00", "Freecell", 1, 1, 1, 1, 1);
    t.writeLog(QStringLiteral("Cara"), stray);
    t.box.expect(MsgResult::Ok, t.logOf(QStringLiteral("Cara")));
    t.input.type(QStringLiteral("Cara"));
    t.input.cancel();
    EXPECT_FALSE(t.rename(QStringLiteral("Ann")));
    EXPECT_EQ(t.box.last().icon, MsgIcon::Critical);
    EXPECT_EQ(t.slotNames(), QStringList({"Ann", "Bob"}));
    EXPECT_EQ(mCustomize::GetCurPlayer(t.ctx), QStringLiteral("Ann"));
    EXPECT_EQ(bytesOf(t.logOf(QStringLiteral("Ann"))), kAnnLog);
    EXPECT_EQ(bytesOf(t.logOf(QStringLiteral("Cara"))), stray);
}

TEST(Players, TheNameBoxRefusesBadAndTakenNamesAndStaysOpen)
{
    Players t;
    const QString title = t.ctx.data().ProdName();
    for (const QString &bad :
         {QString(), QStringLiteral("../x"), QStringLiteral("a:b"), QString(240, QLatin1Char('n'))}) {
        t.box.expect(MsgResult::Ok, QStringLiteral("Please Enter a Valid Name"));
        t.input.type(bad);
    }
    // The unchanged name and any other player's are taken; a name differing in case is not.
    t.box.expect(MsgResult::Ok, QStringLiteral("Player Exists !"));
    t.input.type(QStringLiteral("Bob"));
    t.box.expect(MsgResult::Ok, QStringLiteral("Player Exists !"));
    t.input.type(QStringLiteral("Ann"));
    t.input.type(QStringLiteral("bob"));
    EXPECT_TRUE(t.rename(QStringLiteral("Bob")));
    for (const RecordedPrompt &p : t.box.prompts()) {
        EXPECT_EQ(p.icon, MsgIcon::Critical);
        EXPECT_EQ(p.title, title);
    }
    EXPECT_EQ(t.slotNames(), QStringList({"Ann", "bob"}));
    EXPECT_EQ(bytesOf(t.logOf(QStringLiteral("bob"))), kBobLog);
}

TEST(Players, TheOldNameIsTakenOnceWhenTheBoxOpens)
{
    // Edit Bob, clear the box, OK (refused), type "Cara", OK: Bob becomes Cara.
    Players t;
    t.box.expect(MsgResult::Ok, QStringLiteral("Please Enter a Valid Name"));
    t.input.type(QString());
    t.input.type(QStringLiteral("Cara"));
    EXPECT_TRUE(t.rename(QStringLiteral("Bob")));
    EXPECT_EQ(t.slotNames(), QStringList({"Ann", "Cara"}));
    EXPECT_EQ(t.input.shown().front().text, QStringLiteral("Bob"));
}

TEST(Players, DeletingTheThirdOfFiveMovesTheRestUpAndRemovesOnlyItsLog)
{
    ScoreContext t;
    t.setPlayers({"P1", "P2", "P3", "P4", "P5"});
    for (const char *p : {"P1", "P3", "P4"})
        t.writeLog(QLatin1String(p), kAnnLog);
    EXPECT_TRUE(mPlayers::DeletePlayer(t.ctx, QStringLiteral("P3")));
    EXPECT_EQ(filledSlots(t.ctx), QStringList({"P1", "P2", "P4", "P5"}));
    EXPECT_FALSE(QFileInfo::exists(t.logOf(QStringLiteral("P3"))));
    // P2 has no log: deleting it deletes nothing else.
    EXPECT_TRUE(mPlayers::DeletePlayer(t.ctx, QStringLiteral("P2")));
    EXPECT_EQ(filledSlots(t.ctx), QStringList({"P1", "P4", "P5"}));
    for (const char *p : {"P1", "P4"})
        EXPECT_EQ(bytesOf(t.logOf(QLatin1String(p))), kAnnLog);
    // The current player and a name in no slot are refused.
    EXPECT_FALSE(mPlayers::DeletePlayer(t.ctx, QStringLiteral("P1")));
    EXPECT_FALSE(mPlayers::DeletePlayer(t.ctx, QStringLiteral("p4")));
    EXPECT_EQ(filledSlots(t.ctx), QStringList({"P1", "P4", "P5"}));
}

TEST(Players, ALogThatCannotBeDeletedKeepsThePlayer)
{
    Players t;
    // A folder in the log's place cannot be removed as a file.
    QFile::remove(t.logOf(QStringLiteral("Bob")));
    ASSERT_TRUE(QDir().mkpath(t.logOf(QStringLiteral("Bob")) + QStringLiteral("/inside")));
    EXPECT_THROW(mPlayers::DeletePlayer(t.ctx, QStringLiteral("Bob")), AppError);
    EXPECT_EQ(t.slotNames(), QStringList({"Ann", "Bob"}));
}

TEST(Players, ASlotLeftEmptyHidesNoPlayer)
{
    ScoreContext t;
    t.setPlayers({"Ann", "", "Cy"});
    t.writeLog(QStringLiteral("Cy"), kBobLog);
    EXPECT_EQ(mPlayers::PlayerList(t.ctx), QStringList({"Ann", "Cy"}));
    frmPlayers window(t.ctx);
    ASSERT_EQ(window.lvPlayer->count(), 2);
    EXPECT_EQ(window.lvPlayer->item(1)->text(), QStringLiteral("Cy"));
    mPlayers::CompactPlayers(t.ctx);
    EXPECT_EQ(filledSlots(t.ctx), QStringList({"Ann", "Cy"}));
}

TEST(PlayersWindow, TwentyPlayersOpenNoNameBox)
{
    ScoreContext t;
    QStringList names;
    for (int i = 1; i <= 19; ++i)
        names << QStringLiteral("P%1").arg(i);
    t.setPlayers(names);
    frmPlayers window(t.ctx);
    t.input.type(QStringLiteral("Twenty"));
    window.cmdAdd->click();
    EXPECT_EQ(window.lvPlayer->count(), 20);
    EXPECT_EQ(mCustomize::GetPlayer(t.ctx, 20), QStringLiteral("Twenty"));
    EXPECT_NE(mCustomize::GetCurPlayer(t.ctx), QStringLiteral("Twenty"));

    t.box.expect(MsgResult::Ok, QStringLiteral("Maximum 20 Players Only!"));
    window.cmdAdd->click();
    EXPECT_EQ(t.box.last().icon, MsgIcon::Information);
    EXPECT_EQ(t.input.shown().size(), 1);
}

TEST(PlayersWindow, RowButtonsFollowTheSelectionAndTheCurrentPlayerIsNeverDeleted)
{
    Players t;
    frmPlayers window(t.ctx);
    auto states = [&] {
        return QList<bool>{window.cmdEdit->isEnabled(), window.cmdDelete->isEnabled(), window.cmdSelect->isEnabled()};
    };
    ASSERT_EQ(window.selectedName(), QStringLiteral("Ann"));
    EXPECT_EQ(states(), QList<bool>({true, false, true}));
    // Reached anyway (a key press), Delete asks nothing and deletes nothing.
    window.cmdDelete_Click();
    window.lvPlayer->item(1)->setSelected(true);
    EXPECT_EQ(states(), QList<bool>({true, true, true}));
    window.lvPlayer->clearSelection();
    EXPECT_EQ(states(), QList<bool>({false, false, false}));
    // Edit without a row must not add a player.
    window.cmdEdit_Click();
    EXPECT_TRUE(t.input.shown().isEmpty());

    window.lvPlayer->item(1)->setSelected(true);
    t.box.expect(MsgResult::No, QStringLiteral("Are you sure you want to delete this player"));
    window.cmdDelete->click();
    EXPECT_EQ(t.box.last().buttons, MsgButtons::YesNo);
    EXPECT_EQ(t.slotNames(), QStringList({"Ann", "Bob"}));
    t.box.expect(MsgResult::Yes);
    window.cmdDelete->click();
    EXPECT_EQ(t.slotNames(), QStringList({"Ann"}));
    EXPECT_FALSE(t.hasLog("Bob"));
    EXPECT_EQ(window.lvPlayer->count(), 1);
}

TEST(PlayersWindow, SelectMakesTheRowCurrentAndCloses)
{
    Players t;
    frmPlayers window(t.ctx);
    window.show();
    window.lvPlayer->item(1)->setSelected(true);
    window.cmdSelect->click();
    EXPECT_EQ(mCustomize::GetCurPlayer(t.ctx), QStringLiteral("Bob"));
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_FALSE(window.isVisible());
}
