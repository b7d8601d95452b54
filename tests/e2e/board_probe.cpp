// The board the program shows, computed without a window, for the end-to-end script.
//
//   e2e_board_probe <screen width px> <game number>
//       Deals "Freecell" with that number on a screen of that width, as start-up does
//       (a fresh home, automatic moves on), and names one tableau top card a player can
//       drag into free cell 0 with nothing following automatically: its id, its pile,
//       its centre and free cell 0's centre in logical pixels, and the move count
//       after the deal.
//   e2e_board_probe <screen width px> --file <saved game>
//       Resumes the saved game as start-up does and prints every pile's card ids.
//
// Output is "key value" lines. Exit status 0 on success, 1 on bad arguments or when no
// card fits, 2 on an error or a message the program would have shown.
#include <QCoreApplication>
#include <QTemporaryDir>
#include <cmath>
#include <cstdio>
#include <optional>

#include "core/AppError.h"
#include "core/GameNumber.h"
#include "engine/DisplayList.h"
#include "engine/cEngine.h"
#include "engine/cGames.h"
#include "engine/cPlay.h"
#include "engine/mStudio.h"
#include "platform/MessageBox.h"
#include "platform/ShellFolders.h"
#include "app/Context.h"
#include "shell/cGamePlay.h"
#include "shell/m_Main.h"

namespace {

constexpr double kTwipsPerPixel = 15.0;
const QString kGame = QStringLiteral("Freecell");

// Nothing is expected to be asked or reported here: every message is printed and counted.
class CountingMessageBox : public IMessageBox {
public:
    int count = 0;

protected:
    MsgResult ask(const QString &text, MsgButtons buttons, MsgIcon, const QString &) override
    {
        ++count;
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
        return buttons == MsgButtons::YesNo || buttons == MsgButtons::YesNoCancel ? MsgResult::No : MsgResult::Ok;
    }
    QString askText(const QString &prompt, const QString &, const QString &) override
    {
        ++count;
        std::fprintf(stderr, "input: %s\n", qPrintable(prompt));
        return {};
    }
};

// A context as main() builds it, for a screen of the given width, in a home of its own.
struct Program {
    explicit Program(int screenWidthPixels) : ctx(services())
    {
        ctx.createSharedObjects();
        mStudio::InitProduct(ctx);
        ctx.gScreenWidth = static_cast<std::int32_t>(std::lround(screenWidthPixels * kTwipsPerPixel));
        m_Main::InitSession(ctx);
    }

    Services services()
    {
        Services s;
        s.messages = &messages;
        s.shellFolders = &folders;
        s.surface = &board;
        return s;
    }

    CountingMessageBox messages;
    StandardShellFolders folders;
    DisplayList board;
    Context ctx;
};

int toPixels(double twips)
{
    return static_cast<int>(std::floor(twips / kTwipsPerPixel));
}

// The tableau pile whose top card goes to free cell 0 and stays the last move made.
std::optional<int> pileToMove(Program &p, const GameNumber &number)
{
    cPlay &play = p.ctx.play();
    cEngine &engine = p.ctx.engine();
    // The layout, and so the number of piles, comes with the first deal.
    p.ctx.gamePlay().PlayNumber(kGame, number);
    for (int pile = 0; pile < p.ctx.games().Piles(cGames::Tableau); ++pile) {
        if (pile > 0)
            p.ctx.gamePlay().PlayNumber(kGame, number);
        if (play.GetTop(cGames::Tableau, pile) < 0)
            continue;
        const int card = play.GetTopPicID(cGames::Tableau, pile);
        if (play.FoundationFor(card) != -1 || !play.FreeCellAccepts(0, 0))
            continue;
        // The move must not set off an automatic move, or it would not be the last one.
        const int before = engine.GetTransID();
        std::int32_t kind = cEngine::KindPlain;
        play.MoveCard(card, cGames::FreeCell, 0, 0, kind, 0, 0, true);
        if (engine.GetTransID() == before + 1 && play.GetTop(cGames::FreeCell, 0) == 0 &&
            play.GetPicID(cGames::FreeCell, 0, 0) == card)
            return pile;
    }
    return std::nullopt;
}

int probeDeal(Program &p, const GameNumber &number)
{
    const std::optional<int> pile = pileToMove(p, number);
    if (!pile) {
        std::fprintf(stderr, "no tableau card can go to free cell 0 on its own\n");
        return 1;
    }
    p.ctx.gamePlay().PlayNumber(kGame, number);
    cPlay &play = p.ctx.play();
    const int card = play.GetTopPicID(cGames::Tableau, *pile);
    const PicRef pic{PicArray::Card, card};
    const double cardX = p.board.left(pic) + p.board.width(pic) / 2;
    const double cardY = p.board.top(pic) + p.board.height(pic) / 2;
    const cGames &g = p.ctx.games();
    const double cellX = g.GetCordX(cGames::FreeCell, 0, 0) + CardWidthTwips / 2;
    const double cellY = g.GetCordY(cGames::FreeCell, 0, 0) + CardHeightTwips / 2;
    std::printf("game %lld\nmoves %d\ncard %d\npile %d\ncard_x %d\ncard_y %d\ncell_x %d\ncell_y %d\n",
                static_cast<long long>(number.value()), p.ctx.engine().GetTransID(), card, *pile, toPixels(cardX),
                toPixels(cardY), toPixels(cellX), toPixels(cellY));
    return 0;
}

int probeFile(Program &p, const QString &path)
{
    cGamePlay &session = p.ctx.gamePlay();
    session.PlayFile(path, false);
    std::printf("game %s %lld\nmoves %d\n", qPrintable(session.GameName()),
                static_cast<long long>(session.GameNo().value()), p.ctx.engine().GetTransID());
    const cPlay &play = p.ctx.play();
    for (int area = cGames::Tableau; area <= cGames::FreeCell; ++area) {
        for (int pile = 0; pile < p.ctx.games().Piles(area); ++pile) {
            std::printf("area %d pile %d:", area, pile);
            for (int pos = 0; pos <= play.GetTop(area, pile); ++pos)
                std::printf(" %d", play.GetPicID(area, pile, pos));
            std::printf("\n");
        }
    }
    return 0;
}

int usage()
{
    std::fprintf(stderr, "usage: e2e_board_probe <screen width px> (<game number> | --file <saved game>)\n");
    return 1;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    bool ok = false;
    const int width = args.size() > 2 ? args[1].toInt(&ok) : 0;
    if (!ok || width <= 0)
        return usage();
    const bool fromFile = args[2] == QLatin1String("--file");
    if (fromFile ? args.size() != 4 : args.size() != 3)
        return usage();
    const std::int64_t number = fromFile ? 0 : args[2].toLongLong(&ok);
    if (!fromFile && !ok)
        return usage();

    QTemporaryDir home;
    if (!home.isValid())
        return 2;
    qputenv("BRACKENFOLD_HOME", home.path().toLocal8Bit());
    try {
        Program p(width);
        const int rc = fromFile ? probeFile(p, args[3]) : probeDeal(p, GameNumber::fromNumber(number));
        if (p.messages.count > 0)
            return 2;
        return rc;
    } catch (const AppError &e) {
        std::fprintf(stderr, "error %d: %s\n", e.number(), qPrintable(e.description()));
        return 2;
    }
}
