// The exported statistics report: its layout to the byte, and the export's cancel,
// failure and success.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "store/cData.h"
#include "support/QtPrint.h"
#include "scores/ScoreFixture.h"

namespace {
QString sp(int n)
{
    return QString(n, QLatin1Char(' '));
}
QString zeroGame(const QString &name)
{
    return name + sp(25 - int(name.size())) + " 0 " + sp(14) + " 0 " + sp(11) + "0:00:00" + sp(7) + " 0 " + sp(11) +
           " 0 ";
}
} // namespace

TEST(ScoreReport, TheReportIsLaidOutInFourteenColumnZonesToTheByte)
{
    ScoreContext t;
    t.setPlayers({QStringLiteral("Ann"), QStringLiteral("Bob")});
    const QString longName = QStringLiteral("An Extraordinarily Long Game");
    t.ctx.data().SetGame(12, longName, false, 1);
    t.writeLog(QStringLiteral("Ann"), logLine("2026-12-08 22:15:03", "Freecell", 617, 125, 41, 250, 1));
    t.writeLog(QStringLiteral("Bob"),
               "\"12/9/2026 8:00:00 AM\",\"An Extraordinarily Long Game\",\"0099\",3725,90,-20,0\r\n");
    t.score().OpenAllScore();

    QStringList expected = {
        "Brackenfold 6.0 Score Board",
        " ",
        "*************************",
        " ",
        "Created By" + sp(4) + "Ann",
        "Created Date" + sp(2) + "2026-12-08 22:15:03",
        " ",
        "----------------------------------",
        " ",
        "General Statistics",
        "------------------",
        "Played" + sp(8) + "Won" + sp(11) + "Lost" + sp(10) + "Time" + sp(10) + "Moves" + sp(9) + "Score",
        " 2 " + sp(11) + " 1 " + sp(11) + " 1 " + sp(11) + "1:04:10" + sp(7) + " 131 " + sp(9) + " 230 ",
        " ",
        " ",
        "Player Statistics",
        "-----------------",
        "Player" + sp(8) + "Played" + sp(8) + "Won" + sp(11) + "Lost" + sp(10) + "Time" + sp(10) + "Moves" + sp(9) +
            "Score",
        "Ann" + sp(11) + " 1 " + sp(11) + " 1 " + sp(11) + " 0 " + sp(11) + "0:02:05" + sp(7) + " 41 " + sp(10) +
            " 250 ",
        "Bob" + sp(11) + " 1 " + sp(11) + " 0 " + sp(11) + " 1 " + sp(11) + "1:02:05" + sp(7) + " 90 " + sp(10) +
            "-20 ",
        " ",
        " ",
        "Games Statistics",
        "----------------",
        "Game" + sp(21) + "Played" + sp(11) + "Won" + sp(11) + "Time" + sp(10) + "Moves" + sp(9) + "Score",
        "Freecell" + sp(17) + " 1 " + sp(14) + " 1 " + sp(11) + "0:02:05" + sp(7) + " 41 " + sp(10) + " 250 ",
    };
    for (const char *name : {"Baker's Game", "Forecell", "Seven By Four", "Two Cells", "Bouquet", "Color Cell",
                             "Freecell Reversed", "Freecell Two Suit", "Luxury", "Mania"})
        expected << zeroGame(QString::fromLatin1(name));
    // A name longer than its column is written whole.
    expected << longName + " 1 " + sp(11) + " 0 " + sp(11) + "1:02:05" + sp(7) + " 90 " + sp(10) + "-20 ";
    expected << " "
             << " "
             << "Full Statistics"
             << "--------------";
    expected << "Date" + sp(10) + "Game" + sp(10) + "Player" + sp(8) + "Status" + sp(8) + "Score" + sp(9) + "Moves" +
                    sp(9) + "Time" + sp(10) + "Game No";
    expected << "2026-12-08" + sp(4) + "Freecell" + sp(6) + "Ann" + sp(11) + "Won" + sp(11) + " 250 " + sp(9) + " 41 " +
                    sp(10) + "0:02:05" + sp(5) + " 617 ";
    expected << "2026-12-09" + sp(4) + "An Extraordi" + sp(2) + "Bob" + sp(11) + "Lost" + sp(10) + "-20 " + sp(10) +
                    " 90 " + sp(10) + "1:02:05" + sp(5) + "0099";
    EXPECT_EQ(QString::fromUtf8(t.score().StatReport()), expected.join("\r\n") + "\r\n");
}

TEST(ScoreReport, ExportIsSilentOnCancelReportsAFailureNamingTheFileAndConfirmsOnlyAWrittenFile)
{
    ScoreContext t;
    t.dialogs.expectSave(QString());
    t.score().ExportStat();
    EXPECT_TRUE(t.box.prompts().isEmpty());
    const FileDialogRequest &request = t.dialogs.last().request;
    EXPECT_EQ(request.fileName, QStringLiteral("Scoreboard"));
    EXPECT_EQ(request.filter, QStringLiteral("Text File (*.txt) |*.txt"));
    EXPECT_TRUE(request.promptOverwrite);

    const QString blocked = t.home.path() + QStringLiteral("/taken.txt");
    ASSERT_TRUE(QDir().mkpath(blocked));
    t.dialogs.expectSave(blocked);
    t.box.expect(MsgResult::Ok, blocked);
    t.score().ExportStat();
    EXPECT_EQ(t.box.last().icon, MsgIcon::Critical);

    // With no logs: the totals are zeros and the record list is empty.
    const QString path = t.home.path() + QStringLiteral("/Scoreboard.txt");
    t.dialogs.expectSave(path);
    t.box.expect(MsgResult::Ok, QStringLiteral("Statistics Successfully Exported to ") + path);
    t.score().ExportStat();
    EXPECT_EQ(t.box.last().icon, MsgIcon::Information);
    const QByteArray report = bytesOf(path);
    EXPECT_TRUE(report.contains("\r\n 0 " + QByteArray(11, ' ') + " 0 " + QByteArray(11, ' ') + " 0 " +
                                QByteArray(11, ' ') + "0:00:00" + QByteArray(7, ' ') + " 0 "));
    EXPECT_TRUE(report.endsWith("Time          Game No\r\n"));
}
