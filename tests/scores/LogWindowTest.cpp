// The log statistics window over a hand-written store with a fixed clock: the date
// filters counted in calendar days and months, a future or unreadable date only under
// "Show All", a player and a game together, and the store released on closing.
#include <QComboBox>
#include <QPushButton>
#include <QTreeView>
#include <gtest/gtest.h>

#include "scores/LogRows.h"
#include "scores/ScoreFixture.h"
#include "scores/frmLogStat.h"
#include "store/cData.h"
#include "support/QtPrint.h"

namespace {
struct Log : ScoreContext {
    Log()
    {
        setPlayers({QStringLiteral("Ann"), QStringLiteral("Bob")});
        // The clock stands at 2026-12-08 22:15:03; each record is named by its game number.
        writeLog(QStringLiteral("Ann"), logLine("2026-12-08 00:00:01", "Freecell", 1, 60, 10, 5, 1) +
                                            logLine("2026-12-07 23:59:59", "Freecell", 2, 60, 10, 5, 0) +
                                            logLine("2026-12-04 10:00:00", "Bouquet", 3, 60, 10, 5, 1));
        writeLog(QStringLiteral("Bob"), logLine("2026-08-31 10:00:00", "Freecell", 4, 60, 10, 5, 0) +
                                            logLine("2026-09-01 10:00:00", "Bouquet", 5, 60, 10, 5, 0) +
                                            logLine("2026-12-09 00:00:00", "Freecell", 6, 60, 10, 5, 1) +
                                            logLine("someday", "Freecell", 7, 60, 10, 5, 1));
    }
};

// The game numbers listed, top to bottom.
QStringList listed(const frmLogStat &w)
{
    QStringList numbers;
    const QAbstractItemModel *m = w.lvLog->model();
    for (int r = 0; r < m->rowCount(); ++r)
        numbers << m->index(r, 7).data().toString();
    return numbers;
}

void choose(QComboBox *combo, const QString &text)
{
    const int i = combo->findText(text);
    ASSERT_GE(i, 0) << text.toStdString();
    combo->setCurrentIndex(i);
}
} // namespace

TEST(LogWindow, DateFiltersCountCalendarDaysAndMonthsAndSkipUnreadableDates)
{
    Log t;
    frmLogStat w(t.ctx);
    EXPECT_EQ(w.imcDate->currentText(), "Show All");
    EXPECT_EQ(listed(w), (QStringList{"1", "2", "3", "4", "5", "6", "7"}));
    const QAbstractItemModel *m = w.lvLog->model();
    EXPECT_EQ(m->index(1, 0).data().toString(), "2026-12-07");
    EXPECT_EQ(m->index(6, 0).data().toString(), "someday"); // listed with its text
    EXPECT_EQ(m->index(1, 6).data().toString(), "Lost");
    EXPECT_EQ(m->index(0, 4).data().toString(), "0:01:00");

    const QList<std::pair<const char *, QStringList>> cases = {
        {"Show Today", {"1"}},
        {"Last 3 Days", {"1", "2"}},
        {"Last 7 Days", {"1", "2", "3"}},
        {"Last 3 Months", {"1", "2", "3", "5"}},
        {"Last 5 Months", {"1", "2", "3", "4", "5"}},
    };
    for (const auto &[item, expected] : cases) {
        choose(w.imcDate, QString::fromLatin1(item));
        EXPECT_EQ(listed(w), expected) << item;
    }
    // A day later the filters follow the clock.
    t.clock.advance(86400);
    choose(w.imcDate, "Show Today");
    EXPECT_EQ(listed(w), (QStringList{"6"}));
}

TEST(LogWindow, APlayerAndAGameTogetherListOnlyTheirGamesAndClosingReleasesTheStore)
{
    Log t;
    {
        frmLogStat w(t.ctx);
        w.show();
        ASSERT_EQ(w.imcPlayer->count(), 3);
        EXPECT_EQ(w.imcPlayer->itemText(0), "All Players");
        EXPECT_EQ(w.imcGames->itemText(0), "All Games");
        EXPECT_EQ(w.imcGames->count(), t.ctx.data().TotalGames() + 1);
        EXPECT_EQ(t.score().ScoreTop(), 7);
        choose(w.imcPlayer, "Bob");
        choose(w.imcGames, "Freecell");
        EXPECT_EQ(listed(w), (QStringList{"4", "6", "7"}));
        choose(w.imcDate, "Last 5 Months");
        EXPECT_EQ(listed(w), (QStringList{"4"}));
        w.cmdClose->click();
        EXPECT_EQ(t.score().ScoreTop(), 0);
        EXPECT_EQ(w.lvLog->model()->rowCount(), 0);
    }
    // With no logs every filter lists nothing.
    t.writeLog(QStringLiteral("Ann"), {});
    t.writeLog(QStringLiteral("Bob"), {});
    frmLogStat w(t.ctx);
    EXPECT_EQ(w.lvLog->model()->rowCount(), 0);
    EXPECT_EQ(w.imcPlayer->count(), 3);
}
