// A settings file edited by hand: a text where a number belongs is read as unset in every
// numeric setting, told once by name, and stops nothing the program does.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QPushButton>

#include "appearance/frmAnimation.h"
#include "appearance/frmCardDeck.h"
#include "engine/cEngine.h"
#include "shell/cGamePlay.h"
#include "shell/mToolbar.h"
#include "store/cRegistry.h"
#include "support/WindowContext.h"

namespace {

const QString kProduct = QStringLiteral("HKEY_LOCAL_MACHINE\\Software\\Quillmere Technologies\\Brackenfold 6.0\\6.0\\");

// Every kind of numeric setting the program reads, by section.
QList<QPair<QString, QString>> numericSettings()
{
    QList<QPair<QString, QString>> keys;
    for (const char *name : {"GameSave", "EnableInc", "EnableFin", "ShowTime", "ShowScore", "ShowMoves",
                             "ShowCardsLeft", "RangeIndex", "ShowToolbar", "AutoPlay"})
        keys.append({QStringLiteral("Options"), QString::fromLatin1(name)});
    for (const char *name : {"BackIndex", "TextureIndex", "ColorIndex", "ImageIndex", "FadeIndex", "EnableTile",
                             "WPTimerValue", "DeckIndex"})
        keys.append({QStringLiteral("BackGround"), QString::fromLatin1(name)});
    for (const char *name : {"CardSpeed", "UndoSpeed", "UndoallSpeed", "ReplaySpeed"})
        keys.append({QStringLiteral("Animation"), QString::fromLatin1(name)});
    keys.append({QStringLiteral("General"), QStringLiteral("UnFin")});
    keys.append({QStringLiteral("Tools"), QStringLiteral("AutoSaveTab")});
    keys.append({QStringLiteral("Finish"), QStringLiteral("AddtoFav")});
    keys.append({QStringLiteral("Finish"), QStringLiteral("SaveFile")});
    keys.append({QStringLiteral("HotGames"), QStringLiteral("Freecell")});
    for (int n = 1; n <= mToolbar::kButtonCount; ++n)
        keys.append({QStringLiteral("Toolbar"), mToolbar::GetButtonDef(n).Key});
    return keys;
}

} // namespace

TEST(WrongSettings, ATextInEveryNumericSettingLeavesTheProgramAbleToDeal)
{
    WindowContext t;
    t.box.allowNotices();
    {
        // Written as by hand, behind the program's back.
        SettingsFile other(t.ctx.registry().settingsFile().path());
        for (const auto &[section, name] : numericSettings())
            ASSERT_EQ(other.setValue(kProduct + section, name, SettingsValue::string(QStringLiteral("fast"))),
                      SettingsFile::Status::Ok);
    }
    QCoreApplication::processEvents();

    t.window->StartFirstGame(QString());
    ASSERT_EQ(t.gp().Game_Status(), cGamePlay::Playing);
    t.moveToFreeCell(2);
    t.moveToFreeCell(3);
    const int moves = t.engine().GetTransTop();
    for (const char *command : {"Undo", "Redo", "UndoAll", "RedoAll"})
        t.window->DoCommand(QString::fromLatin1(command));
    EXPECT_EQ(t.engine().GetTransID(), moves);
    {
        frmAnimation animation(t.ctx);
        animation.cmdOK->click();
        EXPECT_EQ(animation.result(), QDialog::Accepted);
        frmCardDeck deck(t.ctx);
        deck.cmdOK->click();
        EXPECT_EQ(deck.result(), QDialog::Accepted);
    }
    // F2 deals the next game.
    t.window->DoCommand(QStringLiteral("New"));
    EXPECT_EQ(t.gp().Game_Status(), cGamePlay::Playing);

    // Each damaged value is named once, with its file; none as a raw error.
    int deckIndex = 0;
    for (const RecordedPrompt &p : t.box.prompts()) {
        EXPECT_FALSE(p.text.contains(QStringLiteral("Type mismatch"))) << p.text.toStdString();
        if (p.text.contains(QStringLiteral("\"BackGround\\DeckIndex\""))) {
            ++deckIndex;
            EXPECT_TRUE(p.text.contains(QDir::toNativeSeparators(t.ctx.registry().settingsFile().path())));
        }
    }
    EXPECT_EQ(deckIndex, 1);
}
