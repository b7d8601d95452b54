// Game files: the list of saved games, file names made from a file's text, reading and
// checking a whole saved game before it is trusted, and the Open and Save dialogs.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <vector>

#include "core/AppError.h"
#include "core/TextFile.h"
#include "engine/cCustom.h"
#include "engine/cEngine.h"
#include "engine/cGames.h"
#include "engine/DisplayList.h"
#include "engine/cPlay.h"
#include "engine/mStudio.h"
#include "library/mRecent.h"
#include "platform/QtFileDialog.h"
#include "platform/kMenu.h"
#include "app/Context.h"
#include "shell/cGamePlay.h"
#include "app/mGen1.h"
#include "store/cData.h"
#include "store/mFile.h"
#include "store/mOptions.h"
#include "store/mRegistry.h"
#include "support/Errors.h"
#include "support/FileBytes.h"
#include "support/FullDisk.h"
#include "support/GameContext.h"
#include "support/QtPrint.h"

namespace {

struct Files : GameContext {
    Files() = default;
    explicit Files(CardSurface *surface) : GameContext(surface) {}
    QString saved() const { return ctx.data().SavedFolder(); }
    // A folder of the home, created.
    QString folder(const QString &name) const
    {
        const QString path = home.path() + "/" + name;
        QDir().mkpath(path);
        return path;
    }
    // The remembered folder as stored, "" while none is.
    QString storedInitDir() { return mRegistry::GetRegString(ctx, "General", "SaveInitDir", {}); }

    // Writes a game of Freecell with two moves to the path, leaving no game in play.
    void writeGame(const QString &path, std::int64_t number = 77) const
    {
        gp().PlayNumber("Freecell", GameNumber::fromNumber(number));
        moveToFreeCell(0);
        moveToFreeCell(1);
        engine().SavetoFile(path);
        gp().ClearArea();
        engine().ClearTRANS();
    }
};

// The 18 header lines of a Freecell game, number 12345.
QStringList freecellHeader()
{
    return {"Freecell", " 12345 ", " 75 ", " 2 ", " 0 ", " 0 ", " 0 ", " 0 ", " 0 ",
            " 6 ",      " 13 ",    " 8 ",  " 0 ", " 1 ", " 4 ", " 0 ", " 0 ", " 2 "};
}

// A move line with the given ten fields.
QString moveLine(const std::vector<int> &fields)
{
    QString line;
    for (const int v : fields)
        line += TextFile::printed(v);
    return line;
}

const std::vector<int> kGoodMove = {51, 0, 3, 6, 4, 0, 0, 0, 0, 0};

// Everything of the game in play that opening a file could change.
struct GameState {
    QString name;
    std::int64_t number = 0;
    int status = 0;
    int loadType = 0;
    int transTop = 0, transId = 0;
    std::vector<int> places;
    GameDefinition definition;
    bool operator==(const GameState &) const = default;
};

GameState stateOf(const Files &t)
{
    GameState s{t.gp().GameName(),
                t.gp().GameNo().value(),
                t.gp().Game_Status(),
                t.gp().Game_LoadingType(),
                t.engine().GetTransTop(),
                t.engine().GetTransID(),
                {},
                t.ctx.custom().Definition()};
    for (int card = 0; card < t.play().TotalCards(); ++card) {
        const CardLocation at = t.play().GetLocation(card);
        s.places.insert(s.places.end(), {at.Cell, at.Pile, at.Pos});
    }
    return s;
}

} // namespace

// ---- Lists and names ---------------------------------------------------------------

TEST(GameFiles, SavedGamesListBothKindsInAnyLetterCaseAndNothingElse)
{
    Files t;
    const QString dir = t.saved();
    EXPECT_EQ(mFile::GetSavedGames(t.ctx), QStringList{"0"});

    for (const char *name : {"b.qx0", "A.QX1", "c.Qx0", "notes.txt", "d.qx2", "eqx0", "f.qx0.bak"})
        writeBytes(dir + "/" + name, "x");
    QDir(dir).mkpath("Folder.qx0");
    writeBytes(dir + "/Folder.qx0/inner.qx0", "x");
    EXPECT_EQ(mFile::GetSavedGames(t.ctx), (QStringList{"3", dir + "/A.QX1", dir + "/b.qx0", dir + "/c.Qx0"}));
    // The auto-save folder lies inside the saved-games folder and is not searched.
    writeBytes(t.ctx.data().AutoSaveFolder() + "/g.qx0", "x");
    EXPECT_EQ(mFile::GetSavedGames(t.ctx).value(0), "3");
}

TEST(GameFiles, FileNamesFromTextNeverLeaveTheirFolder)
{
    // Names the program gives its games stay as they are.
    for (const QString &name :
         {QStringLiteral("Freecell-123"), QStringLiteral("Baker's, Deluxe -7"), QStringLiteral("  blanks  "),
          QStringLiteral("Élan ♠ Cœur"), QStringLiteral("a.b.c"), QStringLiteral("..x"), QString()})
        EXPECT_EQ(mFile::SafeFileName(name), name);

    EXPECT_EQ(mFile::SafeFileName("../../etc/passwd"), ".._.._etc_passwd");
    EXPECT_EQ(mFile::SafeFileName("a\\b"), "a_b");
    EXPECT_EQ(mFile::SafeFileName(QString("a") + QChar(0) + "b"), "a_b");
    EXPECT_EQ(mFile::SafeFileName(QString("t\tn\nr\r") + QChar(0x7F) + QChar(0x85)), "t_n_r___");
    EXPECT_EQ(mFile::SafeFileName("."), "_");
    EXPECT_EQ(mFile::SafeFileName(".."), "__");

    EXPECT_EQ(mFile::GameFileName("Mania", GameNumber::fromNumber(1234)), "Mania-1234");
    EXPECT_EQ(mFile::GameFileName("Mania", GameNumber::fromText("1234")), "Mania-1234");
    EXPECT_EQ(mFile::GameFileName("..", GameNumber::fromNumber(-5)), "..--5");
    EXPECT_EQ(mFile::GameFileName("/tmp/x", GameNumber::fromNumber(1)), "_tmp_x-1");
}

// ---- Reading a whole saved game ---------------------------------------------------

TEST(GameFiles, ReadingASavedGameTakesItWholeAndTouchesNothing)
{
    Files t;
    const QString path = t.folder("games") + "/Two.qx0";
    t.writeGame(path, 77);
    t.gp().PlayNumber("Bouquet", GameNumber::fromNumber(5));
    t.moveToFreeCell(2);
    const GameState before = stateOf(t);

    const LoadedGame game = mFile::ReadSavedGame(t.ctx, path);
    EXPECT_EQ(game.header.GameName, "Freecell");
    EXPECT_EQ(game.header.GameNo.value(), 77);
    EXPECT_EQ(game.header.Definition.HPiles, 8);
    EXPECT_EQ(game.header.Definition.RPiles, 4);
    EXPECT_FALSE(game.header.DatePlayed.isEmpty());
    ASSERT_EQ(game.moves.size(), 2);
    EXPECT_EQ(game.moves[0].DCell, cGames::FreeCell);
    EXPECT_EQ(game.moves[1].SPile, 1);
    EXPECT_EQ(stateOf(t), before);

    // The definition handed to the session is the header's.
    const GameDefinition def = game.header.Definition;
    EXPECT_EQ(def.GameName, "Freecell");
    EXPECT_EQ(def.HOrder, 6);
    EXPECT_EQ(def.HSpace, 13);
    EXPECT_EQ(def.Suits, 2);
}

TEST(GameFiles, EveryHeaderValueOutsideItsRangeIsRefused)
{
    Files t;
    const QString path = t.folder("games") + "/Header.qx0";
    struct Case {
        int line;
        int value;
    };
    // Lines: 3 time, 4 moves, 6 percentage, 7 GOrder, 8 GBase, 9 GCards, 10 HOrder,
    // 11 HSpace, 12 HPiles, 13 HAK, 14 HMulti, 15 RPiles, 16 RCards, 17 MOrder, 18 Suits.
    const std::vector<Case>
        refused =
            {
                {3, -1},  {4, -1},  {6, -1},  {6, 101}, {7, -1},  {7, 16}, {8, -1},  {8, 13},
                {9, -1},  {9, 5},   {10, 16}, {11, -2}, {11, 14}, {12, 0}, {12, 22}, {13, 2},
                {14, -1}, {15, -1}, {15, 22}, {16, -1}, {16, 5}, // more start cards than the four free cells
                {17, 16}, {18, -1}, {18, 3},
            };
    for (const Case &c : refused) {
        QStringList lines = freecellHeader();
        lines[c.line - 1] = TextFile::printed(c.value);
        writeBytes(path, TextFile::joinLines(lines << moveLine(kGoodMove)));
        QString text;
        EXPECT_EQ(errorOf([&] { mFile::ReadSavedGame(t.ctx, path); }, &text), err::BadSavedGame)
            << "line " << c.line << " value " << c.value;
        EXPECT_TRUE(text.contains(path)) << text.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("line %1 ").arg(c.line))) << text.toStdString();
    }

    // The edges of every range are taken.
    const std::vector<Case> taken = {
        {3, 0},   {4, 0},   {5, -300}, {6, 100}, {7, 15}, {8, 12}, {9, 4},   {10, 15},
        {11, -1}, {11, 13}, {12, 1},   {12, 21}, {13, 1}, {14, 0}, {17, 15}, {18, 0},
    };
    for (const Case &c : taken) {
        QStringList lines = freecellHeader();
        lines[c.line - 1] = TextFile::printed(c.value);
        writeBytes(path, TextFile::joinLines(lines));
        EXPECT_EQ(errorOf([&] { mFile::ReadSavedGame(t.ctx, path); }), 0) << "line " << c.line << " value " << c.value;
    }
    for (const auto &cells : {std::pair{0, 0}, std::pair{21, 21}, std::pair{4, 4}}) {
        QStringList lines = freecellHeader();
        lines[14] = TextFile::printed(cells.first);
        lines[15] = TextFile::printed(cells.second);
        writeBytes(path, TextFile::joinLines(lines));
        EXPECT_EQ(errorOf([&] { mFile::ReadSavedGame(t.ctx, path); }), 0) << cells.first << " " << cells.second;
    }
}

TEST(GameFiles, EveryReaderHoldsAGameNumberToFifteenDigitsQuotedOrBare)
{
    Files t;
    const QString fav = t.folder("fav") + "/Fav.fav";
    const QString game = t.folder("games") + "/Number.qx0";
    auto readFavourite = [&](const QString &number) {
        writeBytes(fav, ("\"Freecell\"," + number + ",\"Player1\",#2024-01-02 03:04:05#\r\n").toUtf8());
        return mFile::ReadFavRecord(fav).GameNo;
    };
    auto readHeader = [&](const QString &number) {
        QStringList lines = freecellHeader();
        lines[1] = number;
        writeBytes(game, TextFile::joinLines(lines));
        return mFile::ReadGameHeader(game).GameNo;
    };
    for (const QString &digits : {QStringLiteral("999999999999999"), QStringLiteral("000999999999999999")}) {
        EXPECT_EQ(readFavourite(digits).value(), 999999999999999LL) << digits.toStdString();
        EXPECT_EQ(readFavourite("\"" + digits + "\"").value(), 999999999999999LL) << digits.toStdString();
        EXPECT_EQ(readHeader(" " + digits + " ").value(), 999999999999999LL) << digits.toStdString();
    }
    for (const QString &digits : {QStringLiteral("1000000000000000"), QStringLiteral("9223372036854775807")}) {
        EXPECT_EQ(errorOf([&] { readFavourite(digits); }), err::Overflow) << digits.toStdString();
        EXPECT_EQ(errorOf([&] { readFavourite("\"" + digits + "\""); }), err::Overflow) << digits.toStdString();
        EXPECT_EQ(errorOf([&] { readHeader(digits); }), err::Overflow) << digits.toStdString();
    }
    EXPECT_EQ(errorOf([&] { readFavourite("12e3"); }), err::TypeMismatch);
}

TEST(GameFiles, AHeaderIsWholeWhereverItsFirstBytesEnd)
{
    // Headers are read from the file's first bytes: a name long enough that they end
    // inside the header, or inside one of its characters, still reads whole.
    Files t;
    const QString game = t.folder("games") + "/Long.qx0";
    for (const QString &name : {QString(4080, QChar('n')), QString(3000, QChar(0xE9)), QStringLiteral("Freecell")}) {
        QStringList lines = freecellHeader();
        lines[0] = name;
        for (int m = 0; m < 300; ++m)
            lines << moveLine({1, 2, 1, 3, 3, 0, 1, 1, 0, 0});
        writeBytes(game, TextFile::joinLines(lines));
        const SavedGameInfo header = mFile::ReadGameHeader(game);
        EXPECT_EQ(header.GameName, name);
        EXPECT_EQ(header.Definition.Suits, 2);
    }
}

TEST(GameFiles, EveryMoveFieldOutsideTheBoardIsRefused)
{
    Files t;
    const QString path = t.folder("games") + "/Moves.qx0";
    struct Case {
        int field;
        int value;
    };
    const std::vector<Case> refused = {
        {0, -1}, {0, 52}, {1, -1}, {1, 5},  {2, -1}, {2, 21}, {3, -1}, {3, 52}, {4, -1}, {4, 5},
        {5, -1}, {5, 21}, {6, -1}, {6, 52}, {7, -2}, {7, 52}, {8, -1}, {8, 4},  {9, -1}, {9, 2},
    };
    for (const Case &c : refused) {
        std::vector<int> bad = kGoodMove;
        bad[c.field] = c.value;
        // The bad move is the second: the text names line 20.
        writeBytes(path, TextFile::joinLines(freecellHeader() << moveLine(kGoodMove) << moveLine(bad)));
        QString text;
        EXPECT_EQ(errorOf([&] { mFile::ReadSavedGame(t.ctx, path); }, &text), err::BadSavedGame)
            << "field " << c.field << " value " << c.value;
        EXPECT_TRUE(text.contains(QStringLiteral("line 20 "))) << text.toStdString();
    }
    const std::vector<int> edges = {51, 4, 20, 51, 4, 20, 51, -1, 3, 1};
    const std::vector<int> low = {0, 0, 0, 0, 0, 0, 0, 51, 0, 0};
    // The edges pass the range check; whether they fit the dealt game is the redo's matter.
    const QStringList lines = freecellHeader() << moveLine(edges) << moveLine(low);
    LoadedGame game{mFile::ParseGameHeader(lines, path), cEngine::ParseMoves(lines, path), {}};
    EXPECT_EQ(errorOf([&] { mFile::CheckSavedGame(game, path); }), 0);
    EXPECT_EQ(game.moves.size(), 2);
}

TEST(GameFiles, ARefusedDamagedOrMissingFileLeavesTheGameInPlay)
{
    Files t;
    const QString dir = t.folder("games");
    t.gp().PlayNumber("Freecell", GameNumber::fromNumber(9));
    t.moveToFreeCell(4);
    t.gp().setTime(40);
    const GameState before = stateOf(t);
    const QStringList autoSaved = QDir(t.ctx.data().AutoSaveFolder()).entryList(QDir::Files);

    QStringList badHeader = freecellHeader();
    badHeader[11] = " 0 ";
    QStringList badNumber = freecellHeader();
    badNumber[9] = " six ";
    std::vector<int> badMove = kGoodMove;
    badMove[4] = 9;
    const std::vector<std::pair<const char *, QStringList>> files = {
        {"no tableau piles", badHeader},
        {"a move to area 9", freecellHeader() << moveLine(kGoodMove) << moveLine(badMove)},
        {"a word in the header", badNumber},
        {"nine numbers", freecellHeader() << " 1  0  3  6  4  0  0  0  0 "},
        {"an empty line after the moves", freecellHeader() << moveLine(kGoodMove) << ""},
        {"a short header", freecellHeader().mid(0, 12)},
        // Every value in range, but card 51 lies under six others on the dealt board.
        {"a move that does not fit the deal",
         freecellHeader() << moveLine({0, 0, 3, 6, 4, 0, 0, 0, 0, 0}) << moveLine({51, 0, 0, 0, 4, 1, 0, 0, 0, 0})},
    };
    for (const auto &[what, lines] : files) {
        const QString path = dir + "/Bad.qx0";
        writeBytes(path, TextFile::joinLines(lines));
        EXPECT_NE(errorOf([&] { t.gp().PlayFile(path, true); }), 0) << what;
        EXPECT_EQ(stateOf(t), before) << what;
        // A pending-list game is refused the same way, and its file stays.
        EXPECT_NE(errorOf([&] { t.gp().PlayPendFile(path); }), 0) << what;
        EXPECT_EQ(stateOf(t), before) << what;
        EXPECT_TRUE(QFile::exists(path)) << what;
        EXPECT_EQ(t.gp().Time(), 40) << what;
        EXPECT_TRUE(t.gp().Game_Running()) << what;
    }
    QString text;
    EXPECT_EQ(errorOf([&] { t.gp().PlayFile(dir + "/Bad.qx0", true); }, &text), err::BadSavedGame);
    EXPECT_TRUE(text.contains(dir + "/Bad.qx0") && text.contains("move 2 (line 20)")) << text.toStdString();
    EXPECT_EQ(errorOf([&] { t.gp().PlayFile(dir + "/Missing.qx0", true); }), err::FileNotFound);
    EXPECT_EQ(stateOf(t), before);
    // The game was never ended: nothing was auto-saved for it.
    EXPECT_EQ(QDir(t.ctx.data().AutoSaveFolder()).entryList(QDir::Files), autoSaved);
}

// A file is kept only when each of its moves is one the rules of its game allow, so a
// hand-made move or another deal's moves under this deal's number are refused.
TEST(GameFiles, AMoveTheRulesRefuseIsRefusedAndNamed)
{
    Files t;
    const QString dir = t.folder("games");
    t.gp().PlayNumber("Freecell", GameNumber::fromNumber(12345));
    int pile = 0;
    while (t.play().Num(t.play().GetTopPicID(cGames::Tableau, pile)) == t.play().BaseNum())
        ++pile;
    const int card = t.play().GetTopPicID(cGames::Tableau, pile);
    const int top = t.play().GetTop(cGames::Tableau, pile);
    // The first move fits the board, yet puts a card other than an Ace on an empty foundation.
    const QString handMade = dir + "/HandMade.qx0";
    writeBytes(handMade, TextFile::joinLines(freecellHeader() << moveLine({card, 0, pile, top, 3, 0, 0, 0, 0, 0})));

    // Deal 77 with a move from one tableau pile onto another, as a drop makes it.
    t.gp().PlayNumber("Freecell", GameNumber::fromNumber(77));
    bool moved = false;
    for (int from = 0; from < 8 && !moved; ++from) {
        const int c = t.play().GetTopPicID(cGames::Tableau, from);
        for (int to = 0; to < 8 && !moved; ++to) {
            if (!t.play().TableauAccepts(c, cGames::Tableau, from, to))
                continue;
            std::int32_t kind = cEngine::KindPlain;
            t.play().MoveCard(c, cGames::Tableau, to, t.play().GetTop(cGames::Tableau, to) + 1, kind, 0, 0, true);
            moved = true;
        }
    }
    ASSERT_TRUE(moved);
    const QString own = dir + "/Own.qx0";
    t.engine().SavetoFile(own);
    QStringList lines = TextFile::readLines(own);
    lines[1] = " 78 ";
    const QString other = dir + "/Other.qx0";
    writeBytes(other, TextFile::joinLines(lines));

    t.gp().PlayNumber("Bouquet", GameNumber::fromNumber(3));
    const GameState before = stateOf(t);
    for (const QString &path : {handMade, other}) {
        QString text;
        EXPECT_EQ(errorOf([&] { t.gp().PlayFile(path, true); }, &text), err::BadSavedGame) << path.toStdString();
        EXPECT_TRUE(text.contains(path) && text.contains("move 1 (line 19) breaks the rules")) << text.toStdString();
        EXPECT_EQ(stateOf(t), before) << path.toStdString();
    }
    // With its own number the same moves open.
    t.gp().PlayFile(own, false);
    EXPECT_EQ(t.gp().GameNo().value(), 77);
    EXPECT_EQ(t.engine().GetTransID(), 1);
}

// Games played as a player plays them, by drags, double-clicks and automatic moves, open
// again in every built-in game and in a studio game.
TEST(GameFiles, GamesPlayedOnTheBoardOpenAgainInEveryGame)
{
    Files t;
    mOptions::SetAutoPlay(t.ctx, 1);
    writeBytes(t.ctx.data().GamesFolder() + "/Wide.gam", "\"Wide\"\r\n8,6,13,0,1,2,0\r\n0,0,0\r\n4,0\r\n");
    t.ctx.data().Refresh_NewGames();
    QStringList names{"Wide"};
    for (const mStudio::BuiltInGame &g : mStudio::BuiltInGames())
        names << QString::fromLatin1(g.name);
    const QString path = t.folder("games") + "/Played.qx0";
    std::mt19937 draws(7);
    auto below = [&](int n) { return static_cast<int>(draws() % static_cast<unsigned>(n)); };
    int moves = 0;
    for (const QString &name : names) {
        t.gp().PlayNumber(name, GameNumber::fromNumber(1000 + below(30000)));
        cPlay &p = t.play();
        const cGames &g = t.ctx.games();
        CardSurface &surface = t.ctx.surface();
        // A press 500 x 300 twips inside the card; true when it lifts the card.
        auto press = [&](int card) {
            const PicRef pic{PicArray::Card, card};
            DragState &d = p.drag();
            d.gDragCount = 0;
            d.gPressX = 500;
            d.gPressY = 300;
            d.gPressLeft = static_cast<int>(surface.left(pic));
            d.gPressTop = static_cast<int>(surface.top(pic));
            return p.MouseDown(card, p.Cell(card), p.Pile(card), p.Pos(card));
        };
        // A drag of the lifted card's corner onto a slot and a release there.
        auto dropOn = [&](int card, int area, int slot) {
            const PicRef pic{PicArray::Card, card};
            const int pos = area == cGames::Tableau ? p.GetTop(area, slot) : 0;
            p.MouseMove(card, p.Pile(card), p.Pos(card), g.GetCordX(area, slot, pos) - surface.left(pic) + 500,
                        g.GetCordY(area, slot, pos) - surface.top(pic) + 300);
            p.drag().gDragActive = false;
            p.MouseUp(card, p.Cell(card), p.Pile(card), p.Pos(card));
        };
        for (int tries = 0; tries < 2000 && t.engine().GetTransID() < 60; ++tries) {
            const int card = below(p.TotalCards());
            const int way = below(8);
            if (way == 0) {
                p.DoubleClick(card);
                continue;
            }
            // Tableau piles and foundations in a random order; now and then the free cells too.
            std::vector<std::pair<int, int>> targets;
            for (const int area : {cGames::Tableau, cGames::Foundation, cGames::FreeCell}) {
                for (int slot = 0; slot < g.Piles(area) && (area != cGames::FreeCell || way == 1); ++slot)
                    targets.emplace_back(area, slot);
            }
            std::shuffle(targets.begin(), targets.end(), draws);
            const CardLocation from = p.GetLocation(card);
            for (const auto &[area, slot] : targets) {
                if (!press(card))
                    break;
                dropOn(card, area, slot);
                if (p.GetLocation(card).Cell != from.Cell || p.GetLocation(card).Pile != from.Pile)
                    break;
            }
        }
        EXPECT_GE(t.engine().GetTransID(), 5) << name.toStdString();
        moves += t.engine().GetTransID();
        t.engine().SavetoFile(path);
        const GameState played = stateOf(t);
        t.gp().PlayNumber("Bouquet", GameNumber::fromNumber(3));
        EXPECT_EQ(errorOf([&] { t.gp().PlayFile(path, false); }), 0) << name.toStdString();
        EXPECT_EQ(stateOf(t).places, played.places) << name.toStdString();
    }
    EXPECT_GE(moves, 400);
}

TEST(GameFiles, AGoodFileEndsTheGameInPlayAndIsRedone)
{
    Files t;
    const QString path = t.folder("games") + "/Good.qx0";
    t.writeGame(path, 77);
    t.gp().PlayNumber("Bouquet", GameNumber::fromNumber(3));
    t.gp().PlayFile(path, false);
    EXPECT_EQ(t.gp().GameName(), "Freecell");
    EXPECT_EQ(t.gp().GameNo().value(), 77);
    EXPECT_EQ(t.gp().Game_Status(), cGamePlay::Playing);
    EXPECT_EQ(t.gp().Game_LoadingType(), cGamePlay::Unfinished);
    EXPECT_EQ(t.engine().GetTransID(), 2);
    EXPECT_EQ(t.play().GetTop(cGames::FreeCell, 0), 0);
    EXPECT_EQ(t.play().GetTop(cGames::FreeCell, 1), 0);
    // The Bouquet game was ended as lost and auto-saved.
    EXPECT_TRUE(QFile::exists(t.ctx.data().AutoSaveFolder() + "/Bouquet-3.qx0"));
}

TEST(GameFiles, AGameWhoseStudioGameChangedSinceItWasSavedPlaysWithItsHeadersDefinition)
{
    Files t;
    const QString studio = t.ctx.data().GamesFolder() + "/Wide.gam";
    writeBytes(studio, "\"Wide\"\r\n8,6,13,0,1,2,0\r\n0,0,0\r\n4,0\r\n");
    t.ctx.data().Refresh_NewGames();
    const QString path = t.folder("games") + "/Wide.qx0";
    t.gp().PlayNumber("Wide", GameNumber::fromNumber(5));
    t.moveToFreeCell(0);
    t.moveToFreeCell(1);
    t.engine().SavetoFile(path);
    // The studio game now has one free cell: the second move no longer fits it.
    writeBytes(studio, "\"Wide\"\r\n8,6,13,0,1,2,0\r\n0,0,0\r\n1,0\r\n");

    t.gp().PlayNumber("Bouquet", GameNumber::fromNumber(3));
    t.gp().PlayFile(path, false);
    EXPECT_EQ(t.gp().GameName(), "Wide");
    EXPECT_EQ(t.engine().GetTransID(), 2);
    EXPECT_EQ(t.ctx.games().Piles(cGames::FreeCell), 4);
    EXPECT_EQ(t.play().GetTop(cGames::FreeCell, 1), 0);
    // Kept again, it is kept with the definition its board was dealt from.
    t.engine().SavetoFile(path);
    EXPECT_EQ(mFile::ReadSavedGame(t.ctx, path).header.Definition.RPiles, 4);
    // A new deal of the name takes the studio game as it is now.
    t.gp().Restart();
    EXPECT_EQ(t.ctx.games().Piles(cGames::FreeCell), 1);
}

// A table whose card pictures can be made to fail, so a deal fails after its file was read.
struct BreakableTable : DisplayList {
    bool broken = false;
    void load(PicRef pic) override
    {
        if (broken)
            raiseError(err::PathFileAccess, "The table cannot show the cards");
        DisplayList::load(pic);
    }
};
struct TableParts {
    BreakableTable table;
};
struct PendingFiles : TableParts, Files {
    PendingFiles() : Files(&table) {}
};

TEST(GameFiles, APendingGameKeepsItsFileUntilItRunsAndAfterAFailedStart)
{
    PendingFiles t;
    const QString path = t.folder("pending") + "/Freecell-77.qx0";
    t.writeGame(path, 77);
    kMenu &menu = t.ctx.menu();
    menu.AddItem("Freecell-77 (0% Completed)", path, {}, 300, menu.AddStaticItem("mPendMain", "Pending List", true),
                 -1);
    ASSERT_TRUE(t.ctx.menu().HasItem(path));

    t.table.broken = true;
    EXPECT_EQ(errorOf([&] { t.gp().PlayPendFile(path); }), err::PathFileAccess);
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_EQ(t.ctx.menu().ItemCaption(path), "Freecell-77 (0% Completed)");
    EXPECT_TRUE(t.ctx.menu().ItemEnabled(path));

    t.table.broken = false;
    t.gp().PlayPendFile(path);
    EXPECT_EQ(t.gp().Game_Status(), cGamePlay::Playing);
    EXPECT_TRUE(t.gp().IsPending());
    EXPECT_EQ(t.engine().GetTransID(), 2);
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_EQ(t.ctx.menu().ItemCaption(path), "Freecell-77 (0% Completed) - (Now Playing)");
}

// ---- The Open dialog --------------------------------------------------------------

TEST(GameFiles, OpenDialogOffersBothKindsFromTheRememberedFolder)
{
    Files t;
    t.dialogs.expectOpen({});
    mFile::OpenGameDialog(t.ctx);
    const FileDialogRequest &r = t.dialogs.last().request;
    EXPECT_EQ(r.filter, "Brackenfold 6.0 InComplete Game (*.qx0)|*.qx0|Brackenfold 6.0 Finished Game (*.qx1)|*.qx1");
    EXPECT_EQ(r.folder, t.saved());
    EXPECT_TRUE(r.fileName.isEmpty());
    // Cancelling changes nothing.
    EXPECT_EQ(t.gp().Game_Status(), cGamePlay::NoGame);
    EXPECT_TRUE(t.storedInitDir().isEmpty());

    // A folder remembered but deleted since: the saved-games folder.
    const QString other = t.folder("other");
    mGen1::SetSaveInitDir(t.ctx, other);
    t.dialogs.expectOpen({});
    mFile::OpenGameDialog(t.ctx);
    EXPECT_EQ(t.dialogs.last().request.folder, other);
    QDir(other).removeRecursively();
    t.dialogs.expectOpen({});
    mFile::OpenGameDialog(t.ctx);
    EXPECT_EQ(t.dialogs.last().request.folder, t.saved());
}

TEST(GameFiles, OpeningPlaysTheFileAndOnlyThenRemembersItsFolder)
{
    Files t;
    const QString dir = t.folder("games");
    const QString unfinished = dir + "/Game.qx0";
    t.writeGame(unfinished, 77);
    const QStringList opened = mRecent::GetRecent(t.ctx, mRecent::kOpened);

    // A damaged file: nothing remembered, nothing listed.
    const QString bad = t.folder("bad") + "/Bad.qx0";
    writeBytes(bad, "Freecell\r\n");
    t.dialogs.expectOpen(bad);
    EXPECT_EQ(errorOf([&] { mFile::OpenGameDialog(t.ctx); }), err::InputPastEnd);
    EXPECT_TRUE(t.storedInitDir().isEmpty());
    EXPECT_EQ(mRecent::GetRecent(t.ctx, mRecent::kOpened), opened);
    EXPECT_EQ(t.gp().Game_Status(), cGamePlay::NoGame);

    t.dialogs.expectOpen(unfinished);
    mFile::OpenGameDialog(t.ctx);
    EXPECT_EQ(t.gp().Game_Status(), cGamePlay::Playing);
    EXPECT_EQ(t.engine().GetTransID(), 2);
    EXPECT_EQ(t.storedInitDir(), dir);
    EXPECT_EQ(mGen1::GetSaveInitDir(t.ctx), dir);

    // A finished game written in capitals is replayed, not played.
    const QString finished = dir + "/Won.QX1";
    QFile::copy(unfinished, finished);
    t.dialogs.expectOpen(finished);
    mFile::OpenGameDialog(t.ctx);
    EXPECT_EQ(t.gp().Game_Status(), cGamePlay::Replaying);
    EXPECT_EQ(t.engine().GetTransID(), 0);
    EXPECT_EQ(t.engine().GetTransTop(), 2);
}

TEST(GameFiles, AFileDeletedBeforeItOpensDoesNothing)
{
    Files t;
    const QString path = t.folder("games") + "/Gone.qx0";
    t.writeGame(path);
    t.gp().PlayNumber("Freecell", GameNumber::fromNumber(4));
    const GameState before = stateOf(t);
    QFile::remove(path);
    t.dialogs.expectOpen(path);
    mFile::OpenGameDialog(t.ctx);
    EXPECT_EQ(stateOf(t), before);
    EXPECT_TRUE(t.storedInitDir().isEmpty());
    // A folder of that name is no file either.
    QDir().mkpath(path);
    t.dialogs.expectOpen(path);
    mFile::OpenGameDialog(t.ctx);
    EXPECT_EQ(stateOf(t), before);
}

// ---- The Save dialog --------------------------------------------------------------

TEST(GameFiles, SaveDialogProposesNameNumberAndTheKindsOwnFilter)
{
    Files t;
    t.gp().PlayNumber("Mania", GameNumber::fromNumber(1234));
    t.dialogs.expectSave({});
    mFile::SaveGameDialog(t.ctx, t.ctx.data().IncExt());
    FileDialogRequest r = t.dialogs.last().request;
    EXPECT_EQ(r.filter, "Brackenfold 6.0 InComplete Game (*.qx0)|*.qx0");
    EXPECT_EQ(r.defaultExt, ".qx0");
    EXPECT_EQ(r.fileName, "Mania-1234.qx0");
    EXPECT_EQ(r.folder, t.saved());
    EXPECT_TRUE(r.promptOverwrite);

    t.dialogs.expectSave({});
    mFile::SaveGameDialog(t.ctx, t.ctx.data().FinExt());
    r = t.dialogs.last().request;
    EXPECT_EQ(r.filter, "Brackenfold 6.0 Finished Game (*.qx1)|*.qx1");
    EXPECT_EQ(r.defaultExt, ".qx1");
    EXPECT_EQ(r.fileName, "Mania-1234.qx1");

    // A name read from a file never proposes a place outside the folder.
    t.gp().setGameName("../../Mania");
    t.dialogs.expectSave({});
    mFile::SaveGameDialog(t.ctx, t.ctx.data().IncExt());
    EXPECT_EQ(t.dialogs.last().request.fileName, ".._.._Mania-1234.qx0");
}

TEST(GameFiles, SavingWritesTheGameAndMakesItsFolderTheStartOfBothDialogs)
{
    Files t;
    t.gp().PlayNumber("Mania", GameNumber::fromNumber(1234));
    t.moveToFreeCell(0);
    const QString dir = t.folder("mine");
    const QString path = dir + "/Kept.qx0";
    t.dialogs.expectSave(path);
    mFile::SaveGameDialog(t.ctx, t.ctx.data().IncExt());
    EXPECT_EQ(bytesOf(path), t.engine().SavedGameBytes());
    const LoadedGame game = mFile::ReadSavedGame(t.ctx, path);
    EXPECT_EQ(game.header.GameName, "Mania");
    EXPECT_EQ(game.moves.size(), 1);
    EXPECT_EQ(t.storedInitDir(), dir);

    t.dialogs.expectOpen({});
    mFile::OpenGameDialog(t.ctx);
    EXPECT_EQ(t.dialogs.last().request.folder, dir);
    t.dialogs.expectSave({});
    mFile::SaveGameDialog(t.ctx, t.ctx.data().IncExt());
    EXPECT_EQ(t.dialogs.last().request.folder, dir);
}

TEST(GameFiles, ACancelledSaveOrANameWithoutAFolderSavesNothing)
{
    Files t;
    t.gp().PlayNumber("Mania", GameNumber::fromNumber(1234));
    const QStringList savedList = mRecent::GetRecent(t.ctx, mRecent::kSaved);
    for (const QString &answer : {QString(), QStringLiteral("Mania-1234.qx0"), t.home.path() + "/NoSuchFolder/A.qx0"}) {
        t.dialogs.expectSave(answer);
        mFile::SaveGameDialog(t.ctx, t.ctx.data().IncExt());
        EXPECT_TRUE(t.storedInitDir().isEmpty()) << answer.toStdString();
        EXPECT_EQ(mRecent::GetRecent(t.ctx, mRecent::kSaved), savedList);
    }
    EXPECT_FALSE(QFile::exists("Mania-1234.qx0"));
    EXPECT_FALSE(QFileInfo::exists(t.home.path() + "/NoSuchFolder"));
    EXPECT_EQ(mFile::GetSavedGames(t.ctx), QStringList{"0"});
}

TEST(GameFiles, AFailedSaveIsReportedAndKeepsTheOldFile)
{
    Files t;
    t.gp().PlayNumber("Mania", GameNumber::fromNumber(1234));
    const QStringList savedList = mRecent::GetRecent(t.ctx, mRecent::kSaved);
    // A full disk: the new content has no room.
    const QString dir = t.folder("mine");
    FullDisk disk(dir);
    const QString path = dir + "/Mania-1234.qx0";
    writeBytes(path, "old\r\n");
    disk.fill();
    t.dialogs.expectSave(path);
    QString text;
    EXPECT_EQ(errorOf([&] { mFile::SaveGameDialog(t.ctx, t.ctx.data().IncExt()); }, &text), err::PathFileAccess);
    EXPECT_TRUE(text.contains(path));
    EXPECT_EQ(bytesOf(path), QByteArray("old\r\n"));
    EXPECT_TRUE(t.storedInitDir().isEmpty());
    EXPECT_EQ(mRecent::GetRecent(t.ctx, mRecent::kSaved), savedList);
}

TEST(GameFiles, ClassicFiltersBecomeQtFilters)
{
    EXPECT_EQ(QtFileDialog::toQtFilter(
                  "Brackenfold 6.0 InComplete Game (*.qx0)|*.qx0|Brackenfold 6.0 Finished Game (*.qx1)|*.qx1"),
              "Brackenfold 6.0 InComplete Game (*.qx0);;Brackenfold 6.0 Finished Game (*.qx1)");
    // Qt reads the patterns from the brackets that end the description.
    EXPECT_EQ(QtFileDialog::toQtFilter("Pictures|*.bmp;*.jpg|Text (old)|*.txt"),
              "Pictures (*.bmp *.jpg);;Text (old) (*.txt)");
    // Patterns the description already lists show once, in Qt's form.
    EXPECT_EQ(QtFileDialog::toQtFilter("Pictures (*.bmp;*.jpg;*.gif)|*.bmp;*.jpg;*.gif|Text File (*.txt) |*.txt"),
              "Pictures (*.bmp *.jpg *.gif);;Text File (*.txt)");
    EXPECT_EQ(QtFileDialog::toQtFilter("Old (*.bmp;*.gif)|*.bmp"), "Old (*.bmp;*.gif) (*.bmp)");
    EXPECT_EQ(QtFileDialog::toQtFilter("Lonely"), "Lonely");
    EXPECT_EQ(QtFileDialog::toQtFilter({}), QString());
}
