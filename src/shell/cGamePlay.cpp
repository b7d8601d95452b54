#include "shell/cGamePlay.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <algorithm>
#include <utility>

#include "appearance/mCustomize.h"
#include "core/AppError.h"
#include "core/Numbers.h"
#include "engine/cCustom.h"
#include "engine/cEngine.h"
#include "engine/cGames.h"
#include "engine/cPlay.h"
#include "engine/mFunc.h"
#include "engine/mStudio.h"
#include "library/mAutoSave.h"
#include "library/mPending.h"
#include "library/mRecent.h"
#include "library/mSelect.h"
#include "platform/Guard.h"
#include "scores/cScore.h"
#include "app/Context.h"
#include "platform/kMenu.h"
#include "shell/mGen.h"
#include "store/cData.h"
#include "store/mFile.h"
#include "store/mOptions.h"
#include "store/cRegistry.h"
#include "store/mRegistry.h"

namespace {
std::int16_t clampTo16(double value)
{
    const std::int64_t rounded = roundHalfEven(std::clamp(value, -32768.0, 32767.0));
    return static_cast<std::int16_t>(rounded);
}
} // namespace

cGamePlay::cGamePlay(Context &ctx) : ctx_(ctx) {}

void cGamePlay::StartGame(const QString &name, const GameNumber &number, std::int32_t loadType, std::int32_t time,
                          std::int16_t score, std::int16_t redeals)
{
    const std::optional<GameDefinition> fileDefinition = std::exchange(fileDefinition_, std::nullopt);
    ctx_.play().CancelDrag();
    if (status_ == Playing) {
        // A won game is already recorded: it only leaves the table.
        if (won_)
            ClearArea();
        else
            EndGame(0, false);
    }
    if (status_ == Replaying)
        ClearArea();
    paused_ = false;
    ctx_.mainWindow().setPauseMark(false);
    loadType_ = loadType;
    // The background is decoration: a damaged setting never stops a game from starting.
    ignoreErrors([&] {
        if (mCustomize::GetWPTimerValue(ctx_) == 4)
            mCustomize::ChangeBackground(ctx_);
    });

    gameName_ = name;
    gameNo_ = number;
    startTime_ = mFile::FormatDate(QDateTime::currentDateTime());
    redeals_ = redeals;
    time_ = time;
    storedScore_ = score;
    won_ = false;

    // The definition of the game of that name wins over one read from a file's header.
    // When the table no longer names the game, a restart deals again from the
    // definition its board was built from.
    // A saved game plays with the definition its moves were found to fit.
    cCustom &custom = ctx_.custom();
    if (fileDefinition)
        custom.SetDefinition(*fileDefinition);
    else if (!custom.Init(name) && restarting_ && boardDefinition_ && boardDefinition_->GameName == name)
        custom.SetDefinition(*boardDefinition_);
    // The ranges every reader of a definition holds it to, before a layout is built.
    CheckDefinition(custom.Definition(), QStringLiteral("The game ") + name);
    mStudio::BuildLayout(ctx_);
    ctx_.play().Init(number);
    boardDefinition_ = custom.Definition();

    cEngine &engine = ctx_.engine();
    if (loadType == NewDeal) {
        engine.ClearTRANS();
    } else if (loadType == Finished) {
        status_ = Replaying;
        gameStarted_ = true;
        ctx_.mainWindow().setReplayForward(true);
    } else {
        int speed = 0;
        engine.RedoAll(speed);
    }

    if (loadType != Finished) {
        running_ = true;
        setClock(true);
        status_ = Playing;
        gameStarted_ = true;
        // The deal's automatic moves need a game in play to run.
        if (loadType == NewDeal)
            ctx_.play().AutoMoveCheck();
        // Remembered once the game stands on the table: a setting that cannot be written
        // costs the setting, never the game.
        keepSetting(
            [&] { mRecent::AddRecent(ctx_, mRecent::kPlayed, name + QStringLiteral(" - ") + number.toString()); });
        keepSetting([&] { setLastGName(name); });
    }
}

void cGamePlay::endStep(bool &failing, const std::function<void()> &step)
{
    failing = failing ? !ignoreErrors(step) : !runGuarded(ctx_.messages(), step);
}

void cGamePlay::keepSetting(const std::function<void()> &write)
{
    ctx_.registry().KeepSetting(write);
}

void cGamePlay::newDeal(const QString &name, const GameNumber &number)
{
    if (name.isEmpty() || !ctx_.data().GameExists(name)) {
        SelectGame();
        return;
    }
    StartGame(name, number, NewDeal, 0, 0, 0);
}

void cGamePlay::PlayNumber(const QString &name, const GameNumber &number)
{
    newDeal(name, number);
}

void cGamePlay::PlayRandom(const QString &name)
{
    const QString game = name.isEmpty() ? LastGName() : name;
    newDeal(game, mFunc::GetRandomGameNo(ctx_));
}

void cGamePlay::Restart()
{
    restarting_ = true;
    struct Reset {
        bool &flag;
        ~Reset() { flag = false; }
    } reset{restarting_};
    if (gameName_.isEmpty()) {
        SelectGame();
        return;
    }
    StartGame(gameName_, gameNo_, NewDeal, 0, 0, 0);
}

void cGamePlay::PlayString(const QString &text)
{
    const QString name = mSelect::GetNamePart(text);
    const QString digits = mSelect::GetNumberPart(text);
    if (name.isEmpty() || digits.trimmed().isEmpty())
        raiseError(err::InvalidCall, QStringLiteral("Not a game of the form name - number: %1").arg(text));
    const GameNumber number = GameNumber::fromText(digits);
    newDeal(name, number);
}

void cGamePlay::PlayFile(const QString &path, bool addToRecent)
{
    // The file is read and checked whole first: a damaged one leaves the game in play.
    PlayLoadedGame(path, mFile::ReadSavedGame(ctx_, path), addToRecent);
}

void cGamePlay::PlayLoadedGame(const QString &path, const LoadedGame &game, bool addToRecent)
{
    if (status_ == Playing && !won_)
        EndGame(0, false);
    ctx_.engine().SetRecords(game.moves);
    const std::int32_t loadType = mFile::IsFinishedGameFile(ctx_, path) ? Finished : Unfinished;
    const SavedGameInfo &header = game.header;
    fileDefinition_ = game.definition;
    StartGame(header.GameName, header.GameNo, loadType, header.Time, header.Score, 0);
    // Listed only once the game stands on the table.
    if (addToRecent)
        keepSetting([&] { mRecent::AddRecent(ctx_, mRecent::kOpened, path); });
}

void cGamePlay::PlayPendFile(const QString &path)
{
    // Read and checked whole before the game in play is ended.
    const LoadedGame game = mFile::ReadSavedGame(ctx_, path);
    if (status_ == Playing && !won_)
        EndGame(0, false);
    pendingFile_ = path;
    ctx_.engine().SetRecords(game.moves);
    kMenu &menu = ctx_.menu();
    const QString caption = menu.HasItem(path) ? menu.ItemCaption(path) : QString();
    if (menu.HasItem(path)) {
        menu.setItemCaption(path, menu.ItemCaption(path) + QStringLiteral(" - (Now Playing)"));
        menu.setItemEnabled(path, false);
    }
    const SavedGameInfo &header = game.header;
    fileDefinition_ = game.definition;
    try {
        StartGame(header.GameName, header.GameNo, Pending, header.Time, header.Score, 0);
    } catch (...) {
        // A game that did not start keeps its file and its menu entry; the error is reported.
        if (menu.HasItem(path)) {
            menu.setItemCaption(path, caption);
            menu.setItemEnabled(path, true);
        }
        throw;
    }
    // StartGame clears the pending file when it ends the table; the game keeps its own.
    pendingFile_ = path;
    // The file goes only once the game stands on the table and runs; it is written back
    // when the game ends. A file that cannot be deleted is simply written over then.
    if (status_ == Playing)
        QFile::remove(path);
}

void cGamePlay::PlayFavFile(const QString &path)
{
    const FavoriteInfo fav = mFile::ReadFavRecord(path);
    newDeal(fav.GameName, fav.GameNo);
}

void cGamePlay::SelectGame()
{
    if (const std::optional<SelectChoice> choice = ctx_.mainWindow().RunSelectDialog())
        PlayChoice(*choice);
}

void cGamePlay::PlayChoice(const SelectChoice &choice)
{
    const QString &c = choice.category;
    if (c == QLatin1String("Fin") || c == QLatin1String("Inc") || c == QLatin1String("rSave") ||
        c == QLatin1String("rOpen") || c == QLatin1String("Save"))
        PlayFile(choice.nodeKey, true);
    else if (c == QLatin1String("Pend"))
        PlayPendFile(choice.nodeKey);
    else if (c == QLatin1String("Fav"))
        PlayFavFile(choice.nodeKey);
    else if (c == QLatin1String("rPlay"))
        PlayString(choice.nodeKey);
    else
        StartGame(choice.gameName, mFunc::GetRandomGameNo(ctx_), NewDeal, 0, 0, 0);
}

void cGamePlay::setClock(bool on)
{
    ctx_.mainWindow().setGameClock(on);
}

void cGamePlay::PauseGame(bool pause)
{
    paused_ = pause;
    setClock(!pause);
    ctx_.mainWindow().setPauseMark(pause);
}

void cGamePlay::Unload()
{
    // Before any game reached the table (a close during the splash, the start-up
    // question or the first deal) the last session's unfinished game stays where it is.
    if (!gameStarted_)
        return;
    const bool inPlay = status_ == Playing && !won_;
    if (inPlay && loadType_ == Pending) {
        EndGame(0, true);
        keepSetting([&] { mGen::SetUnFinFlag(ctx_, 0); });
        return;
    }
    if (inPlay && mOptions::GetGameSave(ctx_) == 1 && !unfinishedHeld_) {
        keepForNextStart();
        return;
    }
    // Nothing to resume: the flag is cleared. One that cannot be cleared (a full disk)
    // cannot have been set either, so it still points at the game kept last.
    bool cleared = false;
    keepSetting([&] {
        mGen::SetUnFinFlag(ctx_, 0);
        cleared = true;
    });
    if (cleared && inPlay)
        EndGame(0, true);
}

void cGamePlay::keepForNextStart()
{
    // The flag changes only once the file it points at is safely written; the write is
    // atomic, so a failed one leaves the file saved last whole.
    QString why;
    try {
        ctx_.engine().SavetoFile(ctx_.data().UnFinFile());
    } catch (const AppError &e) {
        why = e.description();
    }
    bool flagged = false;
    ignoreErrors([&] { flagged = mGen::GetUnFinFlag(ctx_) == 1; });
    if (why.isEmpty()) {
        if (!flagged)
            keepSetting([&] {
                mGen::SetUnFinFlag(ctx_, 1);
                flagged = true;
            });
        // A file the next start would not look for: the game goes where it is found again.
        if (!flagged)
            EndGame(0, true);
        return;
    }
    const QString file = QDir::toNativeSeparators(ctx_.data().UnFinFile());
    // Set only while that file holds this game (its crash saves, or the resumed game).
    if (flagged) {
        ctx_.messages().show(QStringLiteral("The game in play could not be saved to \"%1\": %2.\r\nThe file keeps "
                                            "the game as it was saved last, and the next start resumes it.")
                                 .arg(file, why),
                             MsgButtons::Ok, MsgIcon::Exclamation);
        return;
    }
    ctx_.messages().show(QStringLiteral("The game in play could not be saved to \"%1\": %2.\r\nIt is recorded as "
                                        "lost and kept with the incomplete games of the auto-save folder.")
                             .arg(file, why),
                         MsgButtons::Ok, MsgIcon::Exclamation);
    EndGame(0, true);
}

void cGamePlay::EndGame(std::int16_t won, bool terminating)
{
    if (loadType_ == Pending) {
        mPending::UpdatePendingFile(ctx_, pendingFile_);
    } else {
        // A log that cannot be written is reported, and the game still ends: it joins
        // this run's games, is auto-saved and leaves the table.
        endStep(logFailing_, [&] { ctx_.score().AddScore(0); });
        if (!terminating)
            ctx_.score().AddSesGame(won);
        // A game whose auto-save fails still ends, or it could never be left; the failure
        // is reported.
        endStep(autoSaveFailing_, [&] { mAutoSave::AutoSaveGame(ctx_, false); });
    }
    if (!terminating)
        ClearArea();
}

void cGamePlay::ClearArea()
{
    setClock(false);
    running_ = false;
    status_ = NoGame;
    pendingFile_.clear();
    ctx_.play().ClearAll();
    time_ = 0;
    storedScore_ = 0;
    redeals_ = 0;
    paused_ = false;
    loadType_ = NewDeal;
    won_ = false;
    // A game that leaves the table is never to be resumed from the unfinished-game file.
    ignoreErrors([&] { mGen::SetUnFinFlag(ctx_, 0); });
}

bool cGamePlay::SaveProgress()
{
    if (status_ != Playing || !running_ || won_)
        return false;
    const cEngine &engine = ctx_.engine();
    if (engine.Busy() || engine.GroupOpen() || ctx_.play().drag().gDragActive)
        return false;
    if (mOptions::GetGameSave(ctx_) != 1)
        return false;
    if (loadType_ == Pending) {
        ctx_.engine().SavetoFile(pendingFile_);
        return true;
    }
    if (unfinishedHeld_)
        return false;
    ctx_.engine().SavetoFile(ctx_.data().UnFinFile());
    if (mGen::GetUnFinFlag(ctx_) != 1)
        mGen::SetUnFinFlag(ctx_, 1);
    return true;
}

QString cGamePlay::TimeString() const
{
    return mFunc::FormatTime(time_);
}

std::int16_t cGamePlay::Score() const
{
    if (!running_)
        return storedScore_;
    return ScoreOf(ctx_.engine().TotalGoalCards(), time_, Moves());
}

std::int16_t cGamePlay::ScoreOf(std::int16_t home, std::int32_t time, std::int16_t moves)
{
    return clampTo16(10.0 * home - (time / 3.0 + moves / 2.0));
}

std::int16_t cGamePlay::PercentageOf(std::int16_t home, std::int16_t cards)
{
    if (cards <= 0)
        return 0;
    return clampTo16(100.0 * home / cards);
}

std::int16_t cGamePlay::Moves() const
{
    return ctx_.engine().GetTransID();
}

std::int16_t cGamePlay::Percentage() const
{
    return PercentageOf(ctx_.engine().TotalGoalCards(), ctx_.games().TotalCards());
}

std::int16_t cGamePlay::CardsLeft() const
{
    return static_cast<std::int16_t>(ctx_.games().TotalCards() - ctx_.engine().TotalGoalCards());
}

QString cGamePlay::Title() const
{
    QString product = ctx_.data().ProdName();
    if (status_ == NoGame)
        return product;
    QString title = product + QStringLiteral(" [") + gameName_ + QStringLiteral(" - ") + gameNo_.toString() +
                    QStringLiteral("] [") + mCustomize::GetCurPlayer(ctx_) + QStringLiteral("]");
    QStringList items;
    if (mOptions::GetShowTime(ctx_) == 1)
        items << QStringLiteral("Time:") + TimeString();
    if (mOptions::GetShowScore(ctx_) == 1)
        items << QStringLiteral("Score:") + QString::number(Score());
    if (mOptions::GetShowMoves(ctx_) == 1)
        items << QStringLiteral("Moves:") + QString::number(Moves());
    if (mOptions::GetShowCardsLeft(ctx_) == 1)
        items << QStringLiteral("Cards Left:") + QString::number(CardsLeft());
    if (!items.isEmpty())
        title += QStringLiteral(" [") + items.join(QLatin1Char(' ')) + QStringLiteral("]");
    if (loadType_ == Pending)
        title += QStringLiteral(" [Pending List Game]");
    if (loadType_ == Finished)
        title += QStringLiteral(" [Finished Game]");
    if (paused_)
        title += QStringLiteral(" [Game Paused]");
    return title;
}

void cGamePlay::Update_Title()
{
    const QString title = Title();
    if (ctx_.mainWindow().caption() != title)
        ctx_.mainWindow().setCaption(title);
}

QString cGamePlay::LastGName() const
{
    return mRegistry::GetRegString(ctx_, QStringLiteral("General"), QStringLiteral("LastGName"), QString());
}

void cGamePlay::setLastGName(const QString &name)
{
    mRegistry::SetRegString(ctx_, QStringLiteral("General"), QStringLiteral("LastGName"), name);
}

void cGamePlay::CheckGameWon()
{
    if (!mGen::CheckGameWon(ctx_))
        return;
    won_ = true;
    setClock(false);
    // The win is recorded from here on; the game is no longer one to resume.
    ignoreErrors([&] { mGen::SetUnFinFlag(ctx_, 0); });
    ctx_.mainWindow().gameWon();
}

std::optional<GameDefinition> cGamePlay::BoardDefinition() const
{
    if (status_ == NoGame)
        return std::nullopt;
    return boardDefinition_;
}
