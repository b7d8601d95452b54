// The saved-game file: the bytes written for a game and its moves, reading the moves back
// into the record, and refusing damaged files without touching the record.
#include <QStringList>
#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <vector>

#include "core/AppError.h"
#include "core/TextFile.h"
#include "engine/cCustom.h"
#include "engine/cEngine.h"
#include "engine/cPlay.h"
#include "engine/mStudio.h"
#include "app/Context.h"
#include "store/cData.h"
#include "store/mFile.h"
#include "support/Errors.h"
#include "support/FileBytes.h"
#include "support/FullDisk.h"
#include "support/TestContext.h"

namespace {

// The values of the session the file writes, as a test sets them.
class FileSession : public ISessionInfo {
public:
    QString GameName() const override { return name; }
    int Game_Status() const override { return 0; }
    GameNumber GameNo() const override { return number; }
    std::int32_t Time() const override { return time; }
    std::int16_t Moves() const override { return moves; }
    std::int16_t Score() const override { return score; }
    std::int16_t Percentage() const override { return percentage; }
    std::optional<GameDefinition> BoardDefinition() const override { return board; }

    QString name;
    GameNumber number;
    std::int32_t time = 0;
    std::int16_t moves = 0, score = 0, percentage = 0;
    std::optional<GameDefinition> board;
};

// The session a file context reads; a base of it, so it is built before the context.
struct FileSessionPart {
    FileSession session;
};

struct FileContext : FileSessionPart, TestContext {
    FileContext() : TestContext(servicesWith(session))
    {
        ctx.gScreenWidth = 1920 * 15;
        ctx.gScreenHeight = 1080 * 15;
    }

    static Services servicesWith(FileSession &fileSession)
    {
        Services s;
        s.session = &fileSession;
        return s;
    }

    QString path(const QString &name) const { return home.path() + "/" + name; }
    cEngine &engine() const { return ctx.engine(); }
    cPlay &play() const { return ctx.play(); }

    void deal(const QString &game, std::int64_t number)
    {
        ASSERT_TRUE(ctx.custom().Init(game));
        session.name = game;
        session.number = GameNumber::fromNumber(number);
        mStudio::BuildLayout(ctx);
        play().Init(session.number);
    }
};

// The 18 header lines of a Freecell game.
QStringList freecellHeader(const QString &number = QStringLiteral(" 12345 "))
{
    return {"Freecell", number, " 75 ", " 2 ", " 0 ", " 0 ", " 0 ", " 0 ", " 0 ",
            " 6 ",      " 13 ", " 8 ",  " 0 ", " 1 ", " 4 ", " 0 ", " 0 ", " 2 "};
}

QByteArray crlf(const QStringList &lines)
{
    return TextFile::joinLines(lines);
}

std::array<int, 10> fieldsOf(const TransRecord &r)
{
    return {r.PicID, r.SCell, r.SPile, r.SPos, r.DCell, r.DPile, r.DPos, r.mCards, r.TMod, r.Multi};
}

// Everything a load may change: the counters and every record in use.
struct RecordState {
    int current, top, capacity;
    std::vector<std::array<int, 10>> records;
    bool operator==(const RecordState &) const = default;
};

RecordState stateOf(const cEngine &e)
{
    RecordState s{e.GetTransID(), e.GetTransTop(), e.Capacity(), {}};
    for (int id = 1; id <= e.GetTransTop(); ++id)
        s.records.push_back(fieldsOf(e.Record(id)));
    return s;
}

// A move line of a card moved from tableau pile `pile` to a free cell.
QString moveLine(int card, int pile)
{
    return QStringLiteral(" %1  0  %2  6  4  0  0  0  0  0 ").arg(card).arg(pile);
}

// Moves a card onto the top of a pile without recording it.
void shift(cPlay &p, int card, int area, int pile)
{
    std::int32_t kind = cEngine::KindReplay;
    p.MoveCard(card, area, pile, p.GetTop(area, pile) + 1, kind, 0, 0, true);
}

// Puts a card on top of a tableau pile, first moving the cards lying on it elsewhere.
void bringTo(cPlay &p, int card, int pile)
{
    const CardLocation at = p.GetLocation(card);
    int dump = 0;
    while (dump == pile || (at.Cell == 0 && dump == at.Pile))
        ++dump;
    while (p.GetTop(at.Cell, at.Pile) > at.Pos)
        shift(p, p.GetTopPicID(at.Cell, at.Pile), 0, dump);
    shift(p, card, 0, pile);
}

} // namespace

TEST(SavedGameFile, ExampleGameIsWrittenByteForByte)
{
    FileContext t;
    t.deal("Freecell", 12345);
    cPlay &p = t.play();
    // Tableau pile 3 holds five other cards, then card 43 and card 51 on top.
    while (p.GetTop(0, 3) >= 0)
        shift(p, p.GetTopPicID(0, 3), 0, 7);
    while (p.GetTop(0, 3) < 4) {
        const int card = p.GetTopPicID(0, 6);
        shift(p, card, 0, card == 43 || card == 51 ? 5 : 3);
    }
    bringTo(p, 43, 3);
    bringTo(p, 51, 3);
    ASSERT_EQ(p.GetPicID(0, 3, 5), 43);
    ASSERT_EQ(p.GetPicID(0, 3, 6), 51);
    t.engine().ClearTRANS();

    std::int32_t kind = cEngine::KindPlain;
    p.MoveCard(51, 4, 0, 0, kind, 0, 0, true);
    kind = cEngine::KindPlain;
    p.MoveCard(43, 4, 1, 0, kind, 0, 0, true);
    t.session.time = 75;
    t.session.moves = 2;
    const QString path = t.path("Example.qx0");
    t.engine().SavetoFile(path);

    const QByteArray expected = "Freecell\r\n"
                                " 12345 \r\n 75 \r\n 2 \r\n 0 \r\n 0 \r\n"
                                " 0 \r\n 0 \r\n 0 \r\n 6 \r\n 13 \r\n 8 \r\n 0 \r\n 1 \r\n 4 \r\n 0 \r\n 0 \r\n 2 \r\n"
                                " 51  0  3  6  4  0  0  0  0  0 \r\n"
                                " 43  0  3  5  4  1  0  0  0  0 \r\n";
    EXPECT_EQ(bytesOf(path), expected);

    // Saving over an existing file replaces it whole.
    t.engine().ClearTRANS();
    t.engine().SavetoFile(path);
    EXPECT_EQ(bytesOf(path), expected.left(expected.indexOf(" 51 ")));
}

TEST(SavedGameFile, UndoneMovesAreNotWrittenAndReadBackAsNotDone)
{
    FileContext t;
    t.deal("Freecell", 7);
    cPlay &p = t.play();
    for (int pile = 0; pile < 3; ++pile) {
        std::int32_t kind = cEngine::KindPlain;
        p.MoveCard(p.GetTopPicID(0, pile), 4, pile, 0, kind, 0, 0, true);
    }
    cEngine &e = t.engine();
    ASSERT_EQ(e.GetTransTop(), 3);
    const std::array<int, 10> first = fieldsOf(e.Record(1));
    int speed = 0;
    ASSERT_TRUE(e.Undo(speed));
    ASSERT_TRUE(e.Undo(speed));
    const QString path = t.path("Undone.qx0");
    e.SavetoFile(path);

    const QStringList lines = TextFile::readLines(path);
    ASSERT_EQ(lines.size(), 19);
    QString firstLine;
    for (const int v : first)
        firstLine += TextFile::printed(v);
    EXPECT_EQ(lines[18], firstLine);

    // Back to the deal, as the session deals again before it reads the moves.
    ASSERT_TRUE(e.Undo(speed));
    e.LoadFile(path);
    EXPECT_EQ(e.GetTransTop(), 1);
    EXPECT_EQ(e.GetTransID(), 0);
    EXPECT_EQ(fieldsOf(e.Record(1)), first);
    // Reading does not touch the board; the moves read are redone on it.
    ASSERT_EQ(p.GetTop(4, 0), -1);
    e.RedoAll(speed);
    EXPECT_EQ(e.GetTransID(), 1);
    EXPECT_EQ(p.GetTop(4, 0), 0);
}

TEST(SavedGameFile, RecordsReadBackWithTheirFieldsAndCapacityInStepsOfAHundred)
{
    FileContext t;
    QStringList lines = freecellHeader();
    for (int i = 1; i <= 250; ++i)
        lines << QStringLiteral(" %1  1  2  3  4  5  6 -1  70000  %2 ").arg(i % 52).arg(i % 2);
    const QString path = t.path("Long.qx0");
    writeBytes(path, crlf(lines));
    cEngine &e = t.engine();
    e.LoadFile(path);
    EXPECT_EQ(e.GetTransTop(), 250);
    EXPECT_EQ(e.GetTransID(), 0);
    EXPECT_EQ(e.Capacity(), 300);
    EXPECT_EQ(fieldsOf(e.Record(1)), (std::array<int, 10>{1, 1, 2, 3, 4, 5, 6, -1, 70000, 1}));
    EXPECT_EQ(fieldsOf(e.Record(250)), (std::array<int, 10>{250 % 52, 1, 2, 3, 4, 5, 6, -1, 70000, 0}));

    lines = freecellHeader() << moveLine(1, 0);
    writeBytes(path, crlf(lines));
    e.LoadFile(path);
    EXPECT_EQ(e.Capacity(), 100);
    lines = freecellHeader();
    for (int i = 0; i < 100; ++i)
        lines << moveLine(1, 0);
    writeBytes(path, crlf(lines));
    e.LoadFile(path);
    EXPECT_EQ(e.Capacity(), 100);
    lines << moveLine(2, 0);
    writeBytes(path, crlf(lines));
    e.LoadFile(path);
    EXPECT_EQ(e.Capacity(), 200);
    EXPECT_EQ(e.PicID(101), 2);
}

TEST(SavedGameFile, HeaderOnlyFileReadsAsAnEmptyRecord)
{
    FileContext t;
    const QString path = t.path("Fresh.qx0");
    writeBytes(path, crlf(freecellHeader() << moveLine(5, 1)));
    cEngine &e = t.engine();
    e.LoadFile(path);
    ASSERT_EQ(e.GetTransTop(), 1);
    writeBytes(path, crlf(freecellHeader()));
    e.LoadFile(path);
    EXPECT_EQ(e.GetTransTop(), 0);
    EXPECT_EQ(e.GetTransID(), 0);
    EXPECT_EQ(e.Capacity(), 100);

    // A game saved before its first move writes exactly the header.
    t.session.name = "Freecell";
    e.SavetoFile(path);
    EXPECT_EQ(TextFile::readLines(path).size(), 18);
}

TEST(SavedGameFile, GameNumberHeldAsTextIsWrittenBare)
{
    FileContext t;
    t.session.name = "Freecell";
    const QString asNumber = t.path("Number.qx0");
    const QString asText = t.path("Text.qx0");
    t.session.number = GameNumber::fromNumber(123456);
    t.engine().SavetoFile(asNumber);
    t.session.number = GameNumber::fromText("123456");
    t.engine().SavetoFile(asText);
    EXPECT_EQ(TextFile::readLines(asNumber).value(1), " 123456 ");
    EXPECT_EQ(TextFile::readLines(asText).value(1), "123456");
    EXPECT_EQ(mFile::ReadGameHeader(asNumber).GameNo.value(), 123456);
    EXPECT_EQ(mFile::ReadGameHeader(asText).GameNo.value(), 123456);
    // The text is written as it was given, trimmed; it names the same deal.
    t.session.number = GameNumber::fromText(" 007 ");
    t.engine().SavetoFile(asText);
    EXPECT_EQ(TextFile::readLines(asText).value(1), "007");
    EXPECT_EQ(mFile::ReadGameHeader(asText).GameNo.value(), 7);

    t.session.number = GameNumber::fromNumber(-5);
    t.engine().SavetoFile(asNumber);
    EXPECT_EQ(TextFile::readLines(asNumber).value(1), "-5 ");
    EXPECT_EQ(mFile::ReadGameHeader(asNumber).GameNo.value(), -5);
}

TEST(SavedGameFile, SessionValuesAndNamesAreWrittenAsTheyStand)
{
    FileContext t;
    const QString path = t.path("Named.qx0");
    for (const QString &name :
         {QStringLiteral("Baker's, Deluxe"), QStringLiteral("  Leading blanks"), QStringLiteral("Trailing blank ")}) {
        t.session.name = name;
        t.session.time = 100000;
        t.session.moves = 32767;
        t.session.score = -52;
        t.session.percentage = 100;
        t.engine().SavetoFile(path);
        const SavedGameInfo info = mFile::ReadGameHeader(path);
        EXPECT_EQ(info.GameName, name);
        EXPECT_EQ(info.Time, 100000);
        EXPECT_EQ(info.Moves, 32767);
        EXPECT_EQ(info.Score, -52);
        EXPECT_EQ(info.Percentage, 100);
        EXPECT_EQ(TextFile::readLines(path).value(4), "-52 ");
    }
}

TEST(SavedGameFile, DefinitionIsReloadedByNameElseTakenFromTheBoard)
{
    FileContext t;
    cCustom &c = t.ctx.custom();
    const QString path = t.path("Def.qx0");
    auto definitionLines = [&] { return TextFile::readLines(path).mid(6); };

    // A known name is reloaded, whatever was loaded last.
    ASSERT_TRUE(c.Init("Freecell Two Suit"));
    t.session.name = "Freecell";
    t.engine().SavetoFile(path);
    EXPECT_EQ(definitionLines(), freecellHeader().mid(6));

    // An unknown name: the board's definition, not the one loaded last.
    GameDefinition board;
    board.GameName = "Gone";
    board.GOrder = 1, board.GBase = 2, board.GCards = 3, board.HOrder = 4, board.HSpace = 5, board.HPiles = 6;
    board.HAK = 7, board.HMulti = 8, board.RPiles = 9, board.RCards = 10, board.MOrder = 11, board.Suits = 12;
    t.session.name = "Gone";
    t.session.board = board;
    ASSERT_TRUE(c.Init("Freecell Two Suit"));
    t.engine().SavetoFile(path);
    EXPECT_EQ(definitionLines(),
              QStringList({" 1 ", " 2 ", " 3 ", " 4 ", " 5 ", " 6 ", " 7 ", " 8 ", " 9 ", " 10 ", " 11 ", " 12 "}));
    EXPECT_EQ(TextFile::readLines(path).value(0), "Gone");

    // Neither: the definition held.
    t.session.board.reset();
    t.engine().SavetoFile(path);
    const SavedGameInfo info = mFile::ReadGameHeader(path);
    EXPECT_EQ(info.Definition.Suits, c.Suits());
    EXPECT_EQ(info.Definition.HPiles, c.HPiles());
    EXPECT_EQ(info.Definition.RPiles, c.RPiles());
}

TEST(SavedGameFile, LineEndingsOfEveryKindAreRead)
{
    FileContext t;
    cEngine &e = t.engine();
    const QStringList lines = freecellHeader() << moveLine(51, 3) << moveLine(43, 2);
    const QString path = t.path("Ends.qx0");
    std::optional<RecordState> first;
    for (const char *end : {"\r\n", "\n", "\r"}) {
        writeBytes(path, (lines.join(QLatin1String(end)) + QLatin1String(end)).toUtf8());
        e.ClearTRANS();
        e.LoadFile(path);
        if (!first)
            first = stateOf(e);
        EXPECT_EQ(stateOf(e), *first) << end;
    }
    EXPECT_EQ(first->top, 2);
    // The last line may lack its line end.
    writeBytes(path, lines.join(QLatin1String("\r\n")).toUtf8());
    e.ClearTRANS();
    e.LoadFile(path);
    EXPECT_EQ(stateOf(e), *first);
    // Numbers may be parted by several blanks or tabs.
    writeBytes(path, crlf(freecellHeader() << "51 0 3\t6   4 0 0 0 0 0" << moveLine(43, 2)));
    e.ClearTRANS();
    e.LoadFile(path);
    EXPECT_EQ(stateOf(e), *first);
}

TEST(SavedGameFile, DamagedFilesRaiseAndLeaveTheRecordAsItWas)
{
    FileContext t;
    cEngine &e = t.engine();
    const QString good = t.path("Good.qx0");
    writeBytes(good, crlf(freecellHeader() << moveLine(51, 3) << moveLine(43, 2) << moveLine(7, 1)));
    e.LoadFile(good);
    const RecordState before = stateOf(e);
    ASSERT_EQ(before.top, 3);

    struct Case {
        const char *what;
        QStringList lines;
        int error;
        int line; // the line named in the text, 0 for none
    };
    const QStringList header = freecellHeader();
    QStringList badHeader = header;
    badHeader[9] = " six ";
    const std::vector<Case> cases = {
        {"nine numbers", header + QStringList{moveLine(1, 0), " 1  0  3  6  4  0  0  0  0 "}, err::InputPastEnd, 20},
        {"eleven numbers", header + QStringList{" 1  0  3  6  4  0  0  0  0  0  0 "}, err::TypeMismatch, 19},
        {"a word", header + QStringList{" 1  0  3  x  4  0  0  0  0  0 "}, err::TypeMismatch, 19},
        {"a decimal", header + QStringList{" 1  0  3  6.5  4  0  0  0  0  0 "}, err::TypeMismatch, 19},
        {"a comma", header + QStringList{" 1, 0, 3, 6, 4, 0, 0, 0, 0, 0 "}, err::TypeMismatch, 19},
        {"16 bits exceeded", header + QStringList{" 1  0  3  6  4  0  0  32768  0  0 "}, err::Overflow, 19},
        {"16 bits exceeded below", header + QStringList{"-32769  0  3  6  4  0  0  0  0  0 "}, err::Overflow, 19},
        {"32 bits exceeded", header + QStringList{" 1  0  3  6  4  0  0  0  2147483648  0 "}, err::Overflow, 19},
        {"empty line after the moves", header + QStringList{moveLine(1, 0), ""}, err::InputPastEnd, 20},
        {"blank line after the moves", header + QStringList{moveLine(1, 0), "  "}, err::InputPastEnd, 20},
        {"empty line between moves", header + QStringList{"", moveLine(1, 0)}, err::InputPastEnd, 19},
        {"truncated header", header.mid(0, 17), err::InputPastEnd, 0},
        {"empty file", {}, err::InputPastEnd, 0},
        {"bad header value", badHeader + QStringList{moveLine(1, 0)}, err::TypeMismatch, 10},
    };
    const QString bad = t.path("Bad.qx0");
    for (const Case &c : cases) {
        writeBytes(bad, crlf(c.lines));
        QString text;
        EXPECT_EQ(errorOf([&] { e.LoadFile(bad); }, &text), c.error) << c.what;
        EXPECT_TRUE(text.contains(bad)) << c.what << ": " << text.toStdString();
        if (c.line) {
            EXPECT_TRUE(text.contains(QStringLiteral("line %1 ").arg(c.line))) << c.what << ": " << text.toStdString();
        }
        EXPECT_EQ(stateOf(e), before) << c.what;
    }

    QString text;
    EXPECT_EQ(errorOf([&] { e.LoadFile(t.path("Missing.qx0")); }, &text), err::FileNotFound);
    EXPECT_TRUE(text.contains(t.path("Missing.qx0")));
    EXPECT_EQ(stateOf(e), before);
}

TEST(SavedGameFile, MoreMovesThanTheRecordHoldsRaiseOverflow)
{
    FileContext t;
    cEngine &e = t.engine();
    const QString good = t.path("Good.qx0");
    writeBytes(good, crlf(freecellHeader() << moveLine(51, 3)));
    e.LoadFile(good);
    const RecordState before = stateOf(e);

    // The capacity is a 16-bit number growing by 100, so 32700 moves is the most it holds.
    QStringList lines = freecellHeader();
    for (int i = 0; i < 32700; ++i)
        lines << moveLine(i % 52, 1);
    const QString path = t.path("Huge.qx0");
    writeBytes(path, crlf(lines));
    e.LoadFile(path);
    EXPECT_EQ(e.GetTransTop(), 32700);
    EXPECT_EQ(e.Capacity(), 32700);

    e.LoadFile(good);
    lines << moveLine(1, 1);
    writeBytes(path, crlf(lines));
    EXPECT_EQ(errorOf([&] { e.LoadFile(path); }), err::Overflow);
    EXPECT_EQ(stateOf(e), before);
    for (int i = 0; i < 67; ++i)
        lines << moveLine(1, 1);
    writeBytes(path, crlf(lines)); // 32768 moves
    EXPECT_EQ(errorOf([&] { e.LoadFile(path); }), err::Overflow);
    EXPECT_EQ(stateOf(e), before);
}

TEST(SavedGameFile, FailedWriteKeepsTheOldFileAndNamesThePath)
{
    FileContext t;
    t.session.name = "Freecell";
    // A full disk stops every user, root included.
    FullDisk disk(t.path("full"));
    const QString path = t.path("full/Game.qx0");
    writeBytes(path, "old\r\n");
    ASSERT_EQ(bytesOf(path), QByteArray("old\r\n"));
    disk.fill();
    QString text;
    EXPECT_EQ(errorOf([&] { t.engine().SavetoFile(path); }, &text), err::PathFileAccess);
    EXPECT_TRUE(text.contains(path));
    EXPECT_EQ(bytesOf(path), QByteArray("old\r\n"));

    EXPECT_EQ(errorOf([&] { t.engine().SavetoFile(t.path("NoFolder/Game.qx0")); }), err::PathFileAccess);
}

TEST(SavedGameFile, FinishedGamesAreToldByTheirLastFourCharacters)
{
    FileContext t;
    ASSERT_EQ(t.ctx.data().FinExt(), ".qx1");
    const Context &ctx = t.ctx;
    EXPECT_TRUE(mFile::IsFinishedGameFile(ctx, "/home/u/Won.qx1"));
    EXPECT_TRUE(mFile::IsFinishedGameFile(ctx, "Won.QX1"));
    EXPECT_TRUE(mFile::IsFinishedGameFile(ctx, ".Qx1"));
    EXPECT_TRUE(mFile::IsFinishedGameFile(ctx, "a.qx0.qx1"));
    EXPECT_FALSE(mFile::IsFinishedGameFile(ctx, "Unfin.qx0"));
    EXPECT_FALSE(mFile::IsFinishedGameFile(ctx, "Won.qx1.bak"));
    EXPECT_FALSE(mFile::IsFinishedGameFile(ctx, "Won.qx10"));
    EXPECT_FALSE(mFile::IsFinishedGameFile(ctx, "Won.qx1 "));
    EXPECT_FALSE(mFile::IsFinishedGameFile(ctx, "qx1"));
    EXPECT_FALSE(mFile::IsFinishedGameFile(ctx, ""));
}
