// The help: every link of every page leads to a page of the help and every page is
// reached from the contents; each game page says what the game's layout holds; the
// Contents command opens one window, raised again on the next Contents, and shutdown
// leaves no help window behind.
#include <QApplication>
#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>

#include "engine/cGames.h"
#include "engine/mStudio.h"
#include "shell/m_Main.h"
#include "store/HelpPages.h"
#include "store/HelpWindow.h"
#include "store/QtHelpViewer.h"
#include "store/cData.h"
#include "support/GameContext.h"
#include "support/TestContext.h"

namespace {

struct HelpPart {
    QtHelpViewer help;
};

struct HelpContext : HelpPart, TestContext {
    HelpContext() : TestContext(withHelp(help)) {}
    static Services withHelp(QtHelpViewer &help)
    {
        Services s;
        s.help = &help;
        return s;
    }
};

int helpWindows()
{
    int n = 0;
    for (QWidget *w : QApplication::topLevelWidgets())
        n += qobject_cast<HelpWindow *>(w) ? 1 : 0;
    return n;
}

int cellValue(const QString &html, const QString &cls)
{
    const QRegularExpression re(QStringLiteral("class=\"%1\">(\\d+)<").arg(cls));
    const QRegularExpressionMatch m = re.match(html);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

} // namespace

TEST(Help, EveryLinkLeadsToAPageAndEveryPageIsReachedFromTheContents)
{
    const QStringList names = HelpPages::PageNames();
    ASSERT_GE(names.size(), 5 + 12);
    EXPECT_EQ(names.front(), "index.html");
    const QSet<QString> pages(names.begin(), names.end());
    QSet<QString> reached{names.front()};
    QStringList queue{names.front()};
    while (!queue.isEmpty()) {
        const QString name = queue.takeFirst();
        const QString html = HelpPages::Page(name);
        ASSERT_FALSE(html.isEmpty()) << name.toStdString();
        EXPECT_TRUE(html.contains("<title>")) << name.toStdString();
        for (const QString &link : HelpPages::Links(html)) {
            EXPECT_TRUE(pages.contains(link)) << name.toStdString() << " links to " << link.toStdString();
            if (pages.contains(link) && !reached.contains(link)) {
                reached.insert(link);
                queue << link;
            }
        }
    }
    EXPECT_EQ(reached, pages);
    EXPECT_TRUE(HelpPages::Page("nothing.html").isEmpty());
}

TEST(Help, EachGamePageGivesTheLayoutTheGameIsDealtOn)
{
    GameContext t;
    const auto &games = mStudio::BuiltInGames();
    for (int id = 1; id <= int(games.size()); ++id) {
        const QString name = QString::fromLatin1(games[std::size_t(id - 1)].name);
        ASSERT_TRUE(mStudio::LoadBuiltInGame(t.ctx, name));
        mStudio::BuildLayout(t.ctx);
        const QString html = HelpPages::Page(HelpPages::GamePageName(id));
        EXPECT_TRUE(html.contains("<h1>" + name.toHtmlEscaped() + "</h1>")) << id;
        const cGames &layout = t.ctx.games();
        EXPECT_EQ(cellValue(html, "piles"), layout.Piles(cGames::Tableau)) << name.toStdString();
        EXPECT_EQ(cellValue(html, "cells"), layout.Piles(cGames::FreeCell)) << name.toStdString();
        EXPECT_EQ(cellValue(html, "foundations"), layout.Piles(cGames::Foundation)) << name.toStdString();
        EXPECT_TRUE(HelpPages::Page("index.html").contains(QString("href=\"%1\"").arg(HelpPages::GamePageName(id))));
    }
    // Rules that set games apart are named on their pages.
    EXPECT_TRUE(HelpPages::GamePage(2).contains("built down in the same suit"));         // Baker's Game
    EXPECT_TRUE(HelpPages::GamePage(3).contains("4 cards into the free cells"));         // Forecell
    EXPECT_TRUE(HelpPages::GamePage(12).contains("the four Twos onto the foundations")); // Mission
}

TEST(Help, ContentsTwiceGivesOneWindowThatFollowsLinksAndShutdownLeavesNone)
{
    HelpContext t;
    t.ctx.data().ShowContents();
    HelpWindow *first = t.help.window();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(first->currentPage(), "index.html");
    // The contents page bears the window's own title: the caption says it once.
    EXPECT_EQ(first->windowTitle(), "Brackenfold Help");
    first->browser->setSource(QUrl("game-3.html"));
    EXPECT_EQ(first->currentPage(), "game-3.html");
    EXPECT_TRUE(first->windowTitle().endsWith(" - Brackenfold Help")) << first->windowTitle().toStdString();
    EXPECT_TRUE(first->browser->toPlainText().contains("Forecell"));
    EXPECT_TRUE(first->actBack->isEnabled());
    first->actBack->trigger();
    EXPECT_EQ(first->currentPage(), "index.html");
    first->browser->setSource(QUrl("playing.html"));

    // Closed by the user, then asked for again: the same window, back on the contents.
    first->close();
    t.ctx.data().ShowContents();
    EXPECT_EQ(t.help.window(), first);
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(first->currentPage(), "index.html");
    EXPECT_EQ(helpWindows(), 1);

    m_Main::ShutDown(t.ctx);
    EXPECT_EQ(helpWindows(), 0);
    EXPECT_EQ(t.help.window(), nullptr);
}
