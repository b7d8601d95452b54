// The customisable toolbar: which buttons and separators the main window shows for a
// stored choice, and the Customize Toolbar window that changes it.
#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QListWidget>
#include <QPushButton>
#include <QToolBar>

#include "platform/SettingsFile.h"
#include "shell/frmToolbar.h"
#include "shell/mToolbar.h"
#include "store/cRegistry.h"
#include "store/mRegistry.h"
#include "support/FileBytes.h"
#include "support/QtPrint.h"
#include "support/WindowContext.h"
#include "support/RefusingWriter.h"

namespace {

const QStringList kFirstRun = {"New",      "Select",   "Restart",    "Open",    "Save",    "Undo",     "Redo",
                               "AutoPlay", "Pause",    "Back",       "Stop",    "Forward", "MovesMan", "AddFav",
                               "AddPend",  "GameStat", "Background", "Options", "Rules"};

// Keys of the toolbar's shown items left to right, separators included.
QStringList shownItems(const frmMain &window)
{
    QStringList keys;
    for (QAction *action : window.toolbar()->actions()) {
        if (!action->isVisible())
            continue;
        keys << (action->isSeparator() ? action->objectName() : action->data().toString());
    }
    return keys;
}

QStringList shownButtons(const frmMain &window)
{
    QStringList keys = shownItems(window);
    keys.removeIf([](const QString &k) { return mToolbar::IsSeparator(k); });
    return keys;
}

int shownSeparators(const frmMain &window)
{
    return static_cast<int>(shownItems(window).size() - shownButtons(window).size());
}

QListWidgetItem *row(const frmToolbar &dlg, const QString &text)
{
    const QList<QListWidgetItem *> found = dlg.lvTool->findItems(text, Qt::MatchExactly);
    return found.isEmpty() ? nullptr : found.front();
}

void check(const frmToolbar &dlg, const QString &text, bool on)
{
    QListWidgetItem *item = row(dlg, text);
    ASSERT_NE(item, nullptr) << text.toStdString();
    item->setCheckState(on ? Qt::Checked : Qt::Unchecked);
}

std::int16_t stored(Context &ctx, const char *key)
{
    return mRegistry::GetRegInteger(ctx, QStringLiteral("Toolbar"), QLatin1String(key), -99);
}

// Counts what reaches the settings file and passes it on.
class CountingWriter : public SettingsWriter {
public:
    bool write(const QString &path, const QByteArray &bytes) override
    {
        ++writes;
        return inner.write(path, bytes);
    }
    AtomicFileWriter inner;
    int writes = 0;
};

// A game context whose window the test builds once the settings are in place.
struct LaterWindow : WindowParts, GameContext {
    LaterWindow() : GameContext(&board) {}
    void start() { window = std::make_unique<frmMain>(ctx, board, images); }
    std::unique_ptr<frmMain> window;
};

} // namespace

TEST(Toolbar, FirstRunShowsNineteenButtonsAndEveryGroupsSeparator)
{
    WindowContext c;
    EXPECT_EQ(shownButtons(*c.window), kFirstRun);
    EXPECT_EQ(shownSeparators(*c.window), 12);
    for (int n = 1; n <= 12; ++n)
        EXPECT_TRUE(c.window->toolbarSeparator(QStringLiteral("Sep%1").arg(n))->isVisible()) << n;
}

TEST(Toolbar, ACheckStoresAndShowsAtOnceAndAGroupHiddenTakesItsSeparator)
{
    WindowContext c;
    frmToolbar dlg(c.ctx, c.window.get());
    QAction *sep9 = c.window->toolbarSeparator(QStringLiteral("Sep9"));
    check(dlg, QStringLiteral("Move to Pending List"), false);
    EXPECT_EQ(stored(c.ctx, "AddPend"), 0);
    EXPECT_FALSE(shownButtons(*c.window).contains(QStringLiteral("AddPend")));
    EXPECT_FALSE(sep9->isVisible());
    check(dlg, QStringLiteral("Organize Pending List"), true);
    EXPECT_TRUE(sep9->isVisible());

    for (const char *text : {"New Game", "Select Game", "Restart Game"})
        check(dlg, QLatin1String(text), false);
    EXPECT_FALSE(c.window->toolbarSeparator(QStringLiteral("Sep1"))->isVisible());
    EXPECT_EQ(shownItems(*c.window).front(), QStringLiteral("Open"));

    // Nothing after the last group: its separator divides nothing and goes.
    check(dlg, QStringLiteral("Rules"), false);
    EXPECT_EQ(shownItems(*c.window).back(), QStringLiteral("Options"));
}

TEST(Toolbar, SelectAllThenLoadDefaultsBringsBackTheFirstRunSetAndValues)
{
    WindowContext c;
    frmToolbar dlg(c.ctx, c.window.get());
    dlg.cmdSelectAll->click();
    EXPECT_EQ(shownButtons(*c.window).size(), 30);
    EXPECT_FALSE(shownButtons(*c.window).contains(QStringLiteral("Editor")));
    for (int i = 0; i < dlg.lvTool->count(); ++i)
        EXPECT_EQ(dlg.lvTool->item(i)->checkState(), Qt::Checked) << i;

    dlg.cmdDefault->click();
    EXPECT_EQ(shownButtons(*c.window), kFirstRun);
    EXPECT_EQ(shownSeparators(*c.window), 12);
    for (int n = 1; n <= mToolbar::kButtonCount; ++n) {
        const mToolbar::ButtonDef def = mToolbar::GetButtonDef(n);
        EXPECT_EQ(stored(c.ctx, def.Key.toLatin1().constData()), def.Default) << def.Key.toStdString();
        EXPECT_EQ(dlg.lvTool->item(n - 1)->checkState() == Qt::Checked, def.Default == 1) << def.Key.toStdString();
    }
}

TEST(Toolbar, OpeningAndClosingTheWindowWritesNothing)
{
    WindowContext c;
    c.setSoundFile(QStringLiteral("Toolbar"));
    mRegistry::SetRegInteger(c.ctx, QStringLiteral("Toolbar"), QStringLiteral("History"), 1);
    CountingWriter writer;
    c.ctx.registry().settingsFile().setWriter(&writer);
    {
        frmToolbar dlg(c.ctx, c.window.get());
        EXPECT_EQ(row(dlg, QStringLiteral("Game History"))->checkState(), Qt::Checked);
        EXPECT_EQ(c.sounds.played.size(), 1);
        dlg.Command1->click();
    }
    c.ctx.registry().settingsFile().setWriter(nullptr);
    EXPECT_EQ(writer.writes, 0);
}

TEST(Toolbar, TheChoiceIsKeptForTheNextStart)
{
    WindowContext c;
    {
        frmToolbar dlg(c.ctx, c.window.get());
        check(dlg, QStringLiteral("Undo"), false);
        check(dlg, QStringLiteral("Help Contents"), true);
    }
    QStringList expected = kFirstRun;
    expected.removeOne(QStringLiteral("Undo"));
    expected << QStringLiteral("Contents");

    LaterWindow next;
    const QString settings = next.ctx.registry().settingsFile().path();
    QDir().mkpath(QFileInfo(settings).path());
    writeBytes(settings, bytesOf(c.ctx.registry().settingsFile().path()));
    next.start();
    EXPECT_EQ(shownButtons(*next.window), expected);
}

TEST(Toolbar, ADamagedChoiceShowsTheDefaultAndAChoiceStoredOverItRepairsIt)
{
    LaterWindow c;
    mRegistry::SetRegString(c.ctx, QStringLiteral("Toolbar"), QStringLiteral("New"), QStringLiteral("yes"));
    mRegistry::SetRegString(c.ctx, QStringLiteral("Toolbar"), QStringLiteral("UndoAll"), QStringLiteral("70000"));
    // The window is built over the damaged values, each named once.
    c.box.expect(MsgResult::Ok, QStringLiteral("\"Toolbar\\New\""));
    c.box.expect(MsgResult::Ok, QStringLiteral("\"Toolbar\\UndoAll\""));
    ASSERT_NO_THROW(c.start());
    EXPECT_EQ(shownButtons(*c.window), kFirstRun);

    frmToolbar dlg(c.ctx, c.window.get());
    EXPECT_EQ(row(dlg, QStringLiteral("New Game"))->checkState(), Qt::Checked);
    EXPECT_EQ(row(dlg, QStringLiteral("Undo All"))->checkState(), Qt::Unchecked);
    check(dlg, QStringLiteral("Undo All"), true);
    EXPECT_EQ(stored(c.ctx, "UndoAll"), 1);
    dlg.cmdDefault->click();
    EXPECT_EQ(stored(c.ctx, "New"), 1);
    EXPECT_EQ(shownButtons(*c.window), kFirstRun);
}

TEST(Toolbar, AnyNonZeroValueShowsTheButtonAndChecksItsRow)
{
    WindowContext c;
    mRegistry::SetRegInteger(c.ctx, QStringLiteral("Toolbar"), QStringLiteral("Hot"), 2);
    c.window->ApplyToolbar();
    EXPECT_TRUE(shownButtons(*c.window).contains(QStringLiteral("Hot")));
    frmToolbar dlg(c.ctx, c.window.get());
    EXPECT_EQ(row(dlg, QStringLiteral("Hot Games"))->checkState(), Qt::Checked);
    dlg.cmdDefault->click();
    EXPECT_EQ(row(dlg, QStringLiteral("Hot Games"))->checkState(), Qt::Unchecked);
}

TEST(Toolbar, AChoiceThatCannotBeStoredGoesBackAndIsReportedOnce)
{
    WindowContext c;
    frmToolbar dlg(c.ctx, c.window.get());
    RefusingWriter refusing;
    c.ctx.registry().settingsFile().setWriter(&refusing);
    c.box.expect(MsgResult::Ok, QDir::toNativeSeparators(c.ctx.registry().settingsFile().path()));
    check(dlg, QStringLiteral("Undo"), false);
    EXPECT_EQ(c.box.last().icon, MsgIcon::Exclamation);
    EXPECT_EQ(row(dlg, QStringLiteral("Undo"))->checkState(), Qt::Checked);
    EXPECT_EQ(shownButtons(*c.window), kFirstRun);
    // Reported once: the next failures only put the rows back.
    check(dlg, QStringLiteral("Hot Games"), true);
    EXPECT_EQ(row(dlg, QStringLiteral("Hot Games"))->checkState(), Qt::Unchecked);
    dlg.cmdSelectAll->click();
    EXPECT_EQ(row(dlg, QStringLiteral("Hot Games"))->checkState(), Qt::Unchecked);
    EXPECT_EQ(shownButtons(*c.window), kFirstRun);

    c.ctx.registry().settingsFile().setWriter(nullptr);
    check(dlg, QStringLiteral("Undo"), false);
    EXPECT_EQ(row(dlg, QStringLiteral("Undo"))->checkState(), Qt::Unchecked);
    EXPECT_EQ(stored(c.ctx, "Undo"), 0);
}
